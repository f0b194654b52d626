// One QApplication for the whole run: the windows need it, and QSerialPort wants an event
// dispatcher on the main thread.
#include <memory>

#include <QApplication>

#include <gtest/gtest.h>

#include "widgets/DialogTemplate.h"

namespace qmcal::test {
namespace {

class GuiEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        QApplication::setApplicationName(QStringLiteral("qmcal"));
        InstallDialogFontSubstitutes();  // the fonts the program shows
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[9] = "test_app";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
} // namespace qmcal::test
