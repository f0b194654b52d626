// qmcal-cli read and write-rssi against qmcal-sim over a real pseudo-terminal.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "data/FreqWord.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "data/ParamFile.h"

namespace qmcal::test {
namespace {

constexpr int kIdBlockBytes = 4096;
const QString kBin = QStringLiteral(QMCAL_BIN_DIR);

// A qmcal-sim process; closing its standard input ends it (and writes --save).
class Sim {
public:
    explicit Sim(const QStringList& args)
    {
        m_process.start(kBin + QStringLiteral("/qmcal-sim"), args);
        if (m_process.waitForStarted(10000)) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
            }
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        }
    }
    ~Sim() { Stop(); }
    Sim(const Sim&) = delete;
    Sim& operator=(const Sim&) = delete;

    const QString& Path() const { return m_path; }
    void Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

private:
    QProcess m_process;
    QString m_path;
};

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun RunCli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
              const QString& cliPath = kBin + QStringLiteral("/qmcal-cli"), const QString& workingFolder = {})
{
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.setWorkingDirectory(workingFolder);
    cli.start(cliPath, args);
    CliRun run;
    if (!cli.waitForFinished(60000)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

QByteArray ReadAllOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Region(const QByteArray& file, int start, int end)
{
    return file.mid(kIdBlockBytes + start, end - start);
}

class CliRadioTest : public ::testing::Test {
protected:
    QString Temp(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

TEST_F(CliRadioTest, ReadGivesTheRadiosCalibrationRegion)
{
    Sim sim({QStringLiteral("--save"), Temp("radio.dat"), QStringLiteral("--seed"), QStringLiteral("7")});
    ASSERT_FALSE(sim.Path().isEmpty());
    // Its backup would land in the build's own DATA folder.
    const CliRun run = RunCli({QStringLiteral("read"), sim.Path(), Temp("out.dat"), QStringLiteral("--no-backup")});
    sim.Stop();

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Read success!\n");
    const QByteArray radio = ReadAllOf(Temp("radio.dat"));
    const QByteArray out = ReadAllOf(Temp("out.dat"));
    ASSERT_EQ(out.size(), kIdBlockBytes + 65536);
    ASSERT_EQ(radio.size(), out.size());
    // Save As clears 0xFCB0 on; everything before it is the radio's.
    EXPECT_EQ(Region(out, kCalibrationStart, kClearedStart), Region(radio, kCalibrationStart, kClearedStart));
    EXPECT_EQ(Region(out, kClearedStart, kCalibrationEnd), QByteArray(kCalibrationEnd - kClearedStart, '\0'));
    EXPECT_TRUE(out.startsWith("QM6200P"));
}

TEST_F(CliRadioTest, ReadFailuresWriteNoFile)
{
    struct Row {
        QStringList simArgs;
        const char* text;
    };
    const std::vector<Row> rows{
        {{QStringLiteral("--hangup-after"), QStringLiteral("100")}, "Read fail!\n"},
        {{QStringLiteral("--silent-after"), QStringLiteral("100")}, "Read fail!\n"},
        {{QStringLiteral("--garbage")}, "Read fail!\n"},
        {{QStringLiteral("--short-replies")}, "Read fail!\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.simArgs.join(' ').toStdString());
        Sim sim(row.simArgs);
        ASSERT_FALSE(sim.Path().isEmpty());
        const CliRun run = RunCli({QStringLiteral("read"), sim.Path(), Temp("out.dat")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, row.text);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(QFile::exists(Temp("out.dat")));
    }
}

TEST_F(CliRadioTest, PortThatCannotBeOpened)
{
    const CliRun read = RunCli({QStringLiteral("read"), QStringLiteral("/dev/qmcal-no-such-port"), Temp("out.dat")});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_EQ(read.err, "Open port fail!\n/dev/qmcal-no-such-port: no such device\n");
    EXPECT_FALSE(QFile::exists(Temp("out.dat")));

    const CliRun write = RunCli({QStringLiteral("write-rssi"), kBin + QStringLiteral("/Default.dat"),
                                 QStringLiteral("/dev/qmcal-no-such-port")});
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_EQ(write.err, "Open port fail!\n/dev/qmcal-no-such-port: no such device\n");
}

// An image whose RSSI records differ from the radio's, within their range.
QByteArray RssiImage(const QString& path)
{
    QByteArray image = ReadAllOf(kBin + QStringLiteral("/Default.dat"));
    for (int slot = 0; slot < kRssiLayout.SlotCount(); ++slot) {
        for (int i = 0; i < 4; ++i)
            image[kIdBlockBytes + kRssiLayout.valueBase[slot] + i] = static_cast<char>(i % 2 ? 0x1A + slot : 0x30 + i);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
        return {};
    return image;
}

TEST_F(CliRadioTest, WriteRssiSendsTheElevenRecords)
{
    const QByteArray image = RssiImage(Temp("rssi.dat"));
    ASSERT_FALSE(image.isEmpty());
    Sim sim({QStringLiteral("--save"), Temp("radio.dat"), QStringLiteral("--log"), Temp("frames.log")});
    ASSERT_FALSE(sim.Path().isEmpty());
    const CliRun run = RunCli({QStringLiteral("write-rssi"), Temp("rssi.dat"), sim.Path()});
    sim.Stop();

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Complete\n");
    const QStringList frames = QString::fromLatin1(ReadAllOf(Temp("frames.log"))).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(frames.size(), 11);
    EXPECT_EQ(frames[0].toStdString(), "57 FF 00 06 00 FC 30 1A 32 1A");
    EXPECT_EQ(frames[5].toStdString(), "57 FF 00 06 A0 FC 30 1F 32 1F");
    EXPECT_EQ(frames[10].toStdString(), "57 FF 00 06 20 FC 30 24 32 24");
    const QByteArray radio = ReadAllOf(Temp("radio.dat"));
    EXPECT_EQ(Region(radio, 0xFC00, 0xFC24), Region(image, 0xFC00, 0xFC24));
    EXPECT_EQ(Region(radio, 0xFCA0, 0xFCA8), Region(image, 0xFCA0, 0xFCA8));
}

TEST_F(CliRadioTest, WriteRssiFailures)
{
    ASSERT_FALSE(RssiImage(Temp("rssi.dat")).isEmpty());
    {
        Sim sim({QStringLiteral("--silent-after"), QStringLiteral("3"), QStringLiteral("--log"), Temp("frames.log")});
        const CliRun run = RunCli({QStringLiteral("write-rssi"), Temp("rssi.dat"), sim.Path()});
        sim.Stop();
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "Communication error\n");
        EXPECT_EQ(QString::fromLatin1(ReadAllOf(Temp("frames.log"))).count('\n'), 4);  // stops at the first failure
    }
    {
        QFile wrong(Temp("wrong.dat"));
        ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
        wrong.write(QByteArray(kIdBlockBytes + 65536, '\x01'));
        wrong.close();
        Sim sim({});
        const CliRun run = RunCli({QStringLiteral("write-rssi"), Temp("wrong.dat"), sim.Path()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(WrongModelText())) << run.err.toStdString();
    }
}

TEST_F(CliRadioTest, HexTraceOnRequest)
{
    Sim sim({QStringLiteral("--hangup-after"), QStringLiteral("2")});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qmcal.link.debug=true"));
    const CliRun run = RunCli({QStringLiteral("read"), sim.Path(), Temp("out.dat")}, env);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("> 57 FF FF 03 00 F4 08")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("< 52 00 41 00")) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith("Read fail!\n"));
}

// A unit read from the simulator matches it; one byte changed in the file is the one line that
// differs; a Read that fails is trouble (2), as is a file that cannot be read.
TEST_F(CliRadioTest, VerifyComparesTheRadioWithTheImage)
{
    Sim sim({QStringLiteral("--seed"), QStringLiteral("1")});
    ASSERT_FALSE(sim.Path().isEmpty());
    ASSERT_EQ(RunCli({QStringLiteral("read"), sim.Path(), Temp("unit.dat"), QStringLiteral("--no-backup")}).exitCode, 0);
    QByteArray changed = ReadAllOf(Temp("unit.dat"));
    const auto low = static_cast<std::uint8_t>(changed[kIdBlockBytes + 0xF400]);
    changed[kIdBlockBytes + 0xF400] = static_cast<char>(low ^ 0x01);
    QFile file(Temp("changed.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(changed) == changed.size());
    file.close();
    IdBlockBytes id{};
    std::copy_n(changed.constData(), id.size(), id.begin());
    const QString line = QStringLiteral("Power 30M %1 Low (0-FF) %2 %3")
                             .arg(FreqWordToText(getU32le(id, kPowerLayout.FreqOffset(0, 1))))
                             .arg(QString::number(low ^ 0x01, 16).toUpper(), QString::number(low, 16).toUpper());

    const QString header = QStringLiteral("A = %1\nB = radio on %2\npage band row column A B\n").arg(Temp("changed.dat"), sim.Path());
    Sim broken({QStringLiteral("--garbage")});
    const struct {
        QString image;
        QString port;
        QStringList options;
        int status;
        QString out;
        QString err;
    } cases[] = {
        {Temp("unit.dat"), sim.Path(), {}, 0, "The radio matches " + Temp("unit.dat") + " (%1 values compared)\n", ""},
        {Temp("changed.dat"), sim.Path(), {}, 1, header + line + "\n1 difference: Power 1\n", ""},
        {Temp("unit.dat"), broken.Path(), {}, 2, "", "Read fail!\n"},
        {Temp("none.dat"), sim.Path(), {}, 2, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image.toStdString() + " " + c.port.toStdString());
        const CliRun run = RunCli(QStringList{QStringLiteral("verify"), c.image, c.port} + c.options);
        EXPECT_EQ(run.exitCode, c.status);
        QStringList lines;
        for (const QString& l : run.out.split(QLatin1Char('\n')))
            lines << l.simplified();
        // Every cell of the pages and every byte of the region no cell shows.
        const QRegularExpression compared(QStringLiteral(R"(\((\d{4,5}) values compared\))"));
        EXPECT_EQ(lines.join(QLatin1Char('\n')),
                  c.out.contains(QLatin1String("%1")) ? c.out.arg(compared.match(run.out).captured(1)) : c.out);
        if (!c.err.isEmpty() || c.status != 2) {
            EXPECT_EQ(run.err, c.err);
        } else {
            EXPECT_FALSE(run.err.contains(QLatin1String("usage:"))) << run.err.toStdString();
        }
    }
    const CliRun json = RunCli({QStringLiteral("verify"), QStringLiteral("--json"), Temp("changed.dat"), sim.Path()});
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject result = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(result["a"].toString(), Temp("changed.dat"));
    EXPECT_EQ(result["b"].toString(), "radio on " + sim.Path());
    EXPECT_EQ(result["total"].toInt(), 1);
    const QJsonArray items = result["differences"].toArray();
    ASSERT_EQ(items.size(), 1) << json.out.toStdString();
    EXPECT_EQ(items[0].toObject()["column"].toString(), QStringLiteral("Low (0-FF)"));
    EXPECT_EQ(items[0].toObject()["a_value"].toInt(), low ^ 0x01);
    EXPECT_EQ(items[0].toObject()["b_value"].toInt(), low);
}

// --verify reads back the six blocks that hold the records: a radio that acknowledges stores
// without keeping them is caught, with the number of bytes and the points that differ.
TEST_F(CliRadioTest, WriteRssiVerifyReadsBackWhatWasStored)
{
    const QByteArray image = RssiImage(Temp("rssi.dat"));
    ASSERT_FALSE(image.isEmpty());
    for (const bool forget : {false, true}) {
        SCOPED_TRACE(forget ? "forgets stores" : "keeps stores");
        QStringList simArgs{QStringLiteral("--save"), Temp("radio.dat"), QStringLiteral("--log"), Temp("frames.log")};
        if (forget)
            simArgs << QStringLiteral("--forget-stores");
        Sim sim(simArgs);
        ASSERT_FALSE(sim.Path().isEmpty());
        const CliRun run = RunCli({QStringLiteral("write-rssi"), Temp("rssi.dat"), sim.Path(), QStringLiteral("--verify")});
        sim.Stop();

        const QByteArray radio = ReadAllOf(Temp("radio.dat"));
        int differing = 0;
        for (int slot = 0; slot < kRssiLayout.SlotCount(); ++slot) {
            for (int i = 0; i < 4; ++i) {
                const int at = kIdBlockBytes + kRssiLayout.valueBase[slot] + i;
                differing += radio[at] != image[at];
            }
        }
        EXPECT_EQ(differing > 0, forget);
        EXPECT_EQ(run.exitCode, forget ? 1 : 0);
        // A store the radio did not keep is no "Complete".
        EXPECT_EQ(run.out, forget ? "" : "Complete\n");
        const QStringList err = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (forget) {
            // The window's words, and as many point lines as it counts.
            ASSERT_FALSE(err.isEmpty());
            const QRegularExpression verdict(QStringLiteral(R"(^Verify failed: (\d+) points? differs? \((\d+) bytes?\)$)"));
            const QRegularExpressionMatch said = verdict.match(err[0]);
            ASSERT_TRUE(said.hasMatch()) << err[0].toStdString();
            EXPECT_EQ(said.captured(2).toInt(), differing);
            EXPECT_EQ(said.captured(1).toInt(), err.size() - 1) << run.err.toStdString();
            EXPECT_GE(err.size(), 2);
            for (qsizetype i = 1; i < err.size(); ++i)
                EXPECT_TRUE(err[i].startsWith(QLatin1String("RSSI "))) << err[i].toStdString();
        } else {
            EXPECT_TRUE(err.isEmpty()) << run.err.toStdString();
        }
        const QStringList frames = QString::fromLatin1(ReadAllOf(Temp("frames.log"))).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(frames.size(), 17);
        EXPECT_EQ(frames[11].toStdString(), "57 FF FF 03 00 FC 08");
        EXPECT_EQ(frames[15].toStdString(), "57 FF FF 03 20 FC 08");
        EXPECT_EQ(frames[16].toStdString(), "57 FF FF 03 A0 FC 08");
    }
}

// A copy of qmcal-cli beside a Default.dat: portable, so its DATA folder is the test's own. Each
// outcome also goes to the session log there.
TEST_F(CliRadioTest, ReadKeepsABackupInTheDataFolder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QMCAL_DATA_DIR"));
    const QString logFile = Temp("DATA/log/qmcal-") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + ".log";
    const auto logLines = [&logFile] { return QString::fromUtf8(ReadAllOf(logFile)).split('\n', Qt::SkipEmptyParts); };
    const QString cli = Temp("qmcal-cli");
    ASSERT_TRUE(QFile::copy(kBin + QStringLiteral("/qmcal-cli"), cli));
    ASSERT_TRUE(QFile::copy(kBin + QStringLiteral("/Default.dat"), Temp("Default.dat")));
    const QString backups = Temp("DATA/backup");
    const auto list = [&backups] { return QDir(backups).entryList({QStringLiteral("read-*.dat")}, QDir::Files); };
    const struct {
        const char* name;
        QStringList simArgs;
        QStringList cliArgs;
        bool backupIsAFile;
        int status;
        qsizetype kept;  // backups afterwards
        const char* err;
        QStringList logged;  // file and result of each new line; a result ending in "..." is a start
    } cases[] = {
        {"read", {}, {}, false, 0, 1, "", {"DATA/backup\tbackup written", "out.dat\tRead success!"}},
        {"--no-backup", {}, {QStringLiteral("--no-backup")}, false, 0, 1, "", {"out.dat\tRead success!"}},
        {"failed read", {QStringLiteral("--garbage")}, {}, false, 1, 1, "Read fail!\n", {"out.dat\tRead fail!"}},
        {"read again", {}, {}, false, 0, 2, "", {"DATA/backup\tbackup written", "out.dat\tRead success!"}},
        {"backup cannot be written", {}, {}, true, 0, 0, "qmcal-cli: warning: No backup of this Read: ",
         {"DATA/backup\tNo backup of this Read: ...", "out.dat\tRead success!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.backupIsAFile) {
            ASSERT_TRUE(QDir(backups).removeRecursively());
            QFile file(backups);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        QFile::remove(Temp("out.dat"));
        const QStringList before = list();
        const qsizetype logBefore = logLines().size();
        Sim sim(c.simArgs);
        ASSERT_FALSE(sim.Path().isEmpty());
        const CliRun run = RunCli(QStringList{QStringLiteral("read"), sim.Path(), Temp("out.dat")} + c.cliArgs, env, cli);
        const QStringList logged = logLines().mid(logBefore);
        ASSERT_EQ(logged.size(), c.logged.size()) << logged.join('\n').toStdString();
        for (qsizetype i = 0; i < logged.size(); ++i) {
            // time, command, port, file, result
            const QStringList fields = logged.at(i).split('\t');
            ASSERT_EQ(fields.size(), 5) << logged.at(i).toStdString();
            EXPECT_TRUE(QDateTime::fromString(fields.at(0), Qt::ISODate).isValid()) << fields.at(0).toStdString();
            EXPECT_EQ(fields.at(1), "qmcal-cli read");
            EXPECT_EQ(fields.at(2), sim.Path());
            const QString want = m_dir.path() + QLatin1Char('/') + c.logged.at(i);
            const QString got = fields.mid(3).join('\t');
            if (want.endsWith(QLatin1String("...")))
                EXPECT_TRUE(got.startsWith(want.chopped(3))) << got.toStdString();
            else
                EXPECT_EQ(got, want);
        }
        EXPECT_EQ(run.exitCode, c.status);
        const QRegularExpression backupSaid(QRegularExpression::anchoredPattern(
            "Backup: " + QRegularExpression::escape(backups) + R"(/read-\d{8}-\d{6}(-\d+)?\.dat\n)"));
        if (c.kept > before.size()) {
            // Where the new backup went, on standard error; it is the one file that came.
            EXPECT_TRUE(backupSaid.match(run.err).hasMatch()) << run.err.toStdString();
            EXPECT_TRUE(list().contains(run.err.section(QLatin1Char('/'), -1).trimmed())) << run.err.toStdString();
        } else if (*c.err == 0) {
            EXPECT_EQ(run.err, QString());
        } else {
            EXPECT_TRUE(run.err.startsWith(QLatin1String(c.err))) << run.err.toStdString();
        }
        EXPECT_EQ(run.out, c.status == 0 ? "Read success!\n" : "");
        const QStringList after = list();
        EXPECT_EQ(after.size(), c.kept);
        EXPECT_EQ(QFile::exists(Temp("out.dat")), c.status == 0);
        // A new backup is the very file Save As wrote.
        for (const QString& name : after) {
            if (!before.contains(name)) {
                EXPECT_EQ(ReadAllOf(backups + QLatin1Char('/') + name), ReadAllOf(Temp("out.dat")));
            }
        }
    }
}

// Installed (no Default.dat beside the copy) and run as a cron job or a service might be: with
// no usable home, Read still reads and saves, says once that it keeps no backup, and creates
// nothing at the root or under the current folder.
TEST_F(CliRadioTest, ReadWithoutAHomeFolderKeepsNoBackupAndMakesNoFolders)
{
    const QString cli = Temp("bin/qmcal-cli");
    ASSERT_TRUE(QDir().mkpath(Temp("bin")) && QDir().mkpath(Temp("share/qmcal")) && QDir().mkpath(Temp("cwd")));
    ASSERT_TRUE(QFile::copy(kBin + QStringLiteral("/qmcal-cli"), cli));
    ASSERT_TRUE(QFile::copy(kBin + QStringLiteral("/Default.dat"), Temp("share/qmcal/Default.dat")));
    const bool rootHadDocuments = QFileInfo::exists(QStringLiteral("/Documents"));
    const char* homes[] = {nullptr, "", "home", "/"};
    for (const char* home : homes) {
        SCOPED_TRACE(home == nullptr ? "unset" : home);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "QMCAL_DATA_DIR"})
            env.remove(QLatin1String(name));
        if (home != nullptr)
            env.insert(QStringLiteral("HOME"), QLatin1String(home));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), Temp("share"));
        Sim sim({});
        ASSERT_FALSE(sim.Path().isEmpty());
        const CliRun run = RunCli({QStringLiteral("read"), sim.Path(), Temp("out.dat")}, env, cli, Temp("cwd"));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, "Read success!\n");
        // Neither the log nor the backup has a place; each says so once.
        EXPECT_EQ(run.err.toStdString(), "qmcal-cli: warning: No session log: no data folder to keep it in\n"
                                         "qmcal-cli: warning: No backup of this Read: no home folder to keep it in\n");
        EXPECT_EQ(ReadAllOf(Temp("out.dat")).size(), kIdBlockBytes + 65536);
        EXPECT_EQ(QDir(Temp("cwd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
        EXPECT_EQ(QFileInfo::exists(QStringLiteral("/Documents")), rootHadDocuments);
        QFile::remove(Temp("out.dat"));
    }
}

} // namespace
} // namespace qmcal::test
