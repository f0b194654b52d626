// One QApplication for the whole run: the pages are widgets.
#include <memory>

#include <QApplication>

#include <gtest/gtest.h>

#include "widgets/DialogTemplate.h"

namespace qmcal::test {
namespace {

class QtEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        InstallDialogFontSubstitutes();  // the fonts the program shows
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[11] = "test_pages";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
} // namespace qmcal::test
