// One QCoreApplication for the whole run: QProcess wants an event dispatcher on the main thread.
#include <memory>

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace qmcal::test {
namespace {

class QtEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[9] = "test_cli";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
} // namespace qmcal::test
