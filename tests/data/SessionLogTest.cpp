#include "data/SessionLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <thread>
#include <vector>

namespace qmcal {
namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(18, 2, 3), Qt::OffsetFromUTC, 3600);

// Long enough that a line written in pieces would be cut by another writer's.
SessionEntry WriterEntry(int writer, int number)
{
    return {QStringLiteral("Write Rssi"), QStringLiteral("/dev/ttyUSB%1").arg(writer), QStringLiteral("unit.dat"),
            QString(200, QChar(u'a' + writer)) + QString::number(number)};
}

void WriteLines(const QString& dataFolder, int writer, int count)
{
    SessionLog log;
    log.SetDataFolder(dataFolder);
    for (int i = 0; i < count; ++i)
        log.Append(WriterEntry(writer, i), kWhen);
}

TEST(SessionLog, AFieldNeverBreaksTheLineAndFailuresAreSaidOnce)
{
    EXPECT_EQ(SessionLogLine(kWhen, {"Save As", "/dev/ttyUSB0", "/home/w/a\tb\nc.dat", "Write fail!\r"}),
              QByteArray("2026-12-07T18:02:03+01:00\tSave As\t/dev/ttyUSB0\t/home/w/a b c.dat\tWrite fail! \n"));
    EXPECT_EQ(SessionLogLine(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::OffsetFromUTC, -(9 * 3600 + 30 * 60)),
                             {"New", "", "", "done"}),
              QByteArray("2026-01-02T03:04:05-09:30\tNew\t\t\tdone\n"));
    EXPECT_EQ(SessionLogFileName(kWhen), "qmcal-20261207.log");

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data")));
    const QString data = dir.filePath(QStringLiteral("data"));
    // "log" is taken by a plain file: nothing can be written, and that is said once only.
    QFile blocker(SessionLogFolder(data));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QStringList said;
    SessionLog log([&said](const QString& text) { said << text; });
    log.SetDataFolder(data);
    log.Append({"Read", "", "", "Read success!"}, kWhen);
    log.Append({"Save", "", "a.dat", "done"}, kWhen);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.first().startsWith(QStringLiteral("Cannot write the session log ") + data)) << said.first().toStdString();

    SessionLog homeless([&said](const QString& text) { said << text; });
    homeless.SetDataFolder(QString());
    homeless.Append({"Read", "", "", "Read success!"}, kWhen);
    ASSERT_EQ(said.size(), 2);
    EXPECT_EQ(said.last(), "No session log: no data folder to keep it in");
}

TEST(SessionLog, WritersAtOnceNeverMixWithinALine)
{
    constexpr int kWriters = 4;
    constexpr int kLines = 1000;
    const struct {
        const char* name;
        bool processes;
    } cases[] = {{"processes", true}, {"threads", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        if (c.processes) {
            std::vector<pid_t> children;
            for (int w = 0; w < kWriters; ++w) {
                const pid_t pid = fork();
                ASSERT_GE(pid, 0);
                if (pid == 0) {
                    WriteLines(dir.path(), w, kLines);
                    _exit(0);
                }
                children.push_back(pid);
            }
            for (const pid_t pid : children) {
                int status = -1;
                ASSERT_EQ(waitpid(pid, &status, 0), pid);
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            }
        } else {
            std::vector<std::thread> threads;
            for (int w = 0; w < kWriters; ++w)
                threads.emplace_back(WriteLines, dir.path(), w, kLines);
            for (std::thread& t : threads)
                t.join();
        }

        QFile file(SessionLogFolder(dir.path()) + QLatin1Char('/') + SessionLogFileName(kWhen));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        std::map<QByteArray, int> seen;
        for (int w = 0; w < kWriters; ++w) {
            for (int i = 0; i < kLines; ++i)
                seen[SessionLogLine(kWhen, WriterEntry(w, i))] = 0;
        }
        int lines = 0;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine();
            ++lines;
            const auto it = seen.find(line);
            ASSERT_NE(it, seen.end()) << "line " << lines << " is not one writer's: " << line.left(80).toStdString();
            ++it->second;
        }
        EXPECT_EQ(lines, kWriters * kLines);
        for (const auto& [line, count] : seen)
            EXPECT_EQ(count, 1) << line.left(80).toStdString();
    }
}

TEST(SessionLog, PruningRemovesOnlyLogsOlderThanAYear)
{
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        QString name;
        int ageDays;  // negative: modified after now
        bool kept;
    } cases[] = {
        {"qmcal-20200101.log", 366, false},
        {"qmcal-20200102.log", 364, true},
        {SessionLogFileName(now), 400, true},  // today's, whatever its time says
        {"qmcal-20200103.log", -30, true},     // the clock was wrong
        {"notes.txt", 400, true},
        {"qmcal-2020010.log", 400, true},
        {"qmcal-20200104.log.bak", 400, true},
        {"Qmcal-20200105.log", 400, true},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        QFile file(dir.filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write("x\n"), 2);
        ASSERT_TRUE(file.flush());
        ASSERT_TRUE(file.setFileTime(now.addDays(-c.ageDays), QFileDevice::FileModificationTime));
    }

    EXPECT_EQ(PruneSessionLogs(dir.path(), now), 1);
    for (const auto& c : cases)
        EXPECT_EQ(QFileInfo::exists(dir.filePath(c.name)), c.kept) << c.name.toStdString();
}

} // namespace
} // namespace qmcal
