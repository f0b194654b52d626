// qmcal-cli detect against simulated radios on pseudo-terminals.

#include <memory>

#include <QProcess>

#include <gtest/gtest.h>

#include "support/SimPorts.h"

namespace qmcal::test {
namespace {

TEST(DetectCommand, PrintsThePortWhereTheRadioAnswered)
{
    const std::unique_ptr<sim::PtyHost> silent = StartHost(true);
    const std::unique_ptr<sim::PtyHost> radio = StartHost(false);
    const QString silentPty = QString::fromStdString(silent->SlavePath());
    const QString radioPty = QString::fromStdString(radio->SlavePath());
    const struct {
        const char* name;
        QStringList args;
        int exitCode;
        QString out;
    } cases[] = {
        {"found after a silent port", {"--port", silentPty, "--port", radioPty}, 0, radioPty + "\n"},
        {"no radio anywhere", {"--port", silentPty}, 1, ""},
        {"--port without a name", {"--port"}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess cli;
        cli.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal-cli"), QStringList{"detect"} + c.args);
        ASSERT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), c.exitCode) << cli.readAllStandardError().toStdString();
        EXPECT_EQ(QString::fromUtf8(cli.readAllStandardOutput()), c.out);
    }
}

} // namespace
} // namespace qmcal::test
