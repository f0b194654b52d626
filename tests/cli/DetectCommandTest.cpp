// qmcal-cli detect against simulated radios on pseudo-terminals.

#include <memory>

#include <fcntl.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "data/SessionLog.h"
#include "link/PortFailure.h"
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

struct CliRun {
    int exitCode = -1;
    QString err;
};

CliRun RunCli(const QStringList& args)
{
    QProcess cli;
    cli.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal-cli"), args);
    if (!cli.waitForFinished(30000))
        return {};
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardError())};
}

// Why a port failed to open, as the link finds it, as detect lists it and as read says it; and
// a live lock of another program is honoured whatever its form.
TEST(PortFailure, EachReasonIsSaidWhereverThePortFails)
{
    const QString pid = QString::number(::getpid());
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    std::vector<std::unique_ptr<SerialPort>> held;
    std::vector<int> fds;
    QStringList lockFiles;
    auto pty = [&] {
        hosts.push_back(StartHost(false));
        return QString::fromStdString(hosts.back()->SlavePath());
    };
    auto lock = [&](const QString& name, const QByteArray& content) {
        QString file = QStringLiteral("/tmp/LCK..") + name.mid(5).replace(QLatin1Char('/'), QLatin1Char('_'));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        lockFiles << file;
        return file;
    };
    struct Row {
        const char* what;
        QString name;
        QString reason;  // a pattern
    };
    std::vector<Row> rows;
    {
        const QString name = pty();
        held.push_back(OpenPort(name, kChosenProfile));
        EXPECT_NE(held.back(), nullptr);
        rows.push_back({"a port held by another qmcal", name,
                        QStringLiteral(R"(busy \(lock file /\S+/LCK\.\.pts_\d+ held by process %1\))").arg(pid)});
    }
    {
        const QString name = pty();
        const QString file = lock(name, QStringLiteral("%1\n").arg(pid, 10).toLatin1());
        rows.push_back({"a lock in uucp form (minicom, picocom)", name,
                        QRegularExpression::escape(QStringLiteral("busy (lock file %1 held by process %2)").arg(file, pid))});
    }
    {
        const QString name = pty();
        const QString file = lock(name, pid.toLatin1() + "\nminicom\nbench\n");
        rows.push_back({"a lock in Qt's form", name,
                        QRegularExpression::escape(QStringLiteral("busy (lock file %1 held by process %2)").arg(file, pid))});
    }
    {
        const QString name = pty();
        fds.push_back(::open(QFile::encodeName(name).constData(), O_RDWR | O_NOCTTY));
        EXPECT_EQ(::ioctl(fds.back(), TIOCEXCL), 0);
        rows.push_back({"a pseudo-terminal held exclusively", name, R"(busy \(in use by another program\))"});
    }
    rows.push_back({"a missing device", QStringLiteral("/dev/qmcal-no-such-port"), "no such device"});

    const QString out = QDir::tempPath() + QStringLiteral("/qmcal-port-failure-%1.dat").arg(pid);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QRegularExpression reason(QRegularExpression::anchoredPattern(row.reason));
        EXPECT_TRUE(reason.match(DiagnosePort(row.name).reason).hasMatch()) << DiagnosePort(row.name).reason.toStdString();
        EXPECT_EQ(OpenPort(row.name, kChosenProfile), nullptr) << "opened under its holder";

        const CliRun detect = RunCli({"detect", "--port", row.name});
        EXPECT_EQ(detect.exitCode, 1);
        const QStringList lines = detect.err.split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 2) << detect.err.toStdString();
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(
                        QRegularExpression::escape(row.name + QStringLiteral(": ")) + row.reason))
                        .match(lines.at(1))
                        .hasMatch())
            << detect.err.toStdString();

        const CliRun read = RunCli({"read", row.name, out});
        EXPECT_EQ(read.exitCode, 1);
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(
                        QStringLiteral("Open port fail!\n") + QRegularExpression::escape(row.name + QStringLiteral(": ")) +
                        row.reason + QStringLiteral("\n")))
                        .match(read.err)
                        .hasMatch())
            << read.err.toStdString();
    }
    {
        // A lock of a process that is gone is taken over, and the session log keeps that.
        QProcess gone;
        gone.start(QStringLiteral("true"));
        ASSERT_TRUE(gone.waitForFinished(10000));
        const QString name = pty();
        const QString file = lock(name, QStringLiteral("%1\n").arg(gone.processId(), 10).toLatin1());
        QTemporaryDir data;
        const QByteArray savedFolder = qgetenv("QMCAL_DATA_DIR");
        qputenv("QMCAL_DATA_DIR", QFile::encodeName(data.path()));
        const CliRun read = RunCli({"read", name, out, "--no-backup"});
        qputenv("QMCAL_DATA_DIR", savedFolder);
        EXPECT_FALSE(read.err.contains(QLatin1String("Open port fail!"))) << read.err.toStdString();
        QFile log(SessionLogFolder(data.path()) + QLatin1Char('/') + SessionLogFileName(QDateTime::currentDateTime()));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString taken = QStringLiteral("\tOpen port\t%1\t\tthe lock file %2 of user %3 was stale (process %4 is gone) "
                                             "and was taken over\n")
                                  .arg(name, file, QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name))
                                  .arg(gone.processId());
        EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(taken)) << taken.toStdString();
    }
    for (const int fd : fds)
        ::close(fd);
    for (const QString& file : lockFiles)
        QFile::remove(file);
    QFile::remove(out);
}

} // namespace
} // namespace qmcal::test
