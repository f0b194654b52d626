#include "data/DataTestSupport.h"

#include "data/FactoryImage.h"
#include "data/FreqWord.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "qmcal/Version.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qmcal {
namespace {

using namespace test;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// How a case runs qmcal-cli beyond its arguments.
enum class Runner {
    Plain,
    Nobody,       // as the user nobody, who bypasses no permission
    FullOutput,   // standard output on a full disk
    ClosedOutput  // standard output closed
};

CliRun RunCliAs(Runner runner, const QStringList& args, const QString& folder = {})
{
    QProcess p;
    p.setWorkingDirectory(folder);
    if (runner == Runner::FullOutput)
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.setChildProcessModifier([runner] {
        constexpr uid_t kNobody = 65534;
        if (runner == Runner::ClosedOutput)
            ::close(STDOUT_FILENO);
        if (runner == Runner::Nobody && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(99);
    });
    p.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal-cli"), args);
    CliRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

CliRun RunCli(const QStringList& args, const QString& folder = {})
{
    return RunCliAs(Runner::Plain, args, folder);
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto image = NewImageObject();
        FillPattern(image->ParamArea());
        std::copy(kIdHeader.begin(), kIdHeader.end(), image->IdBlock().begin());
        ASSERT_TRUE(WriteFileBytes(Path("pattern.dat"), FileBytes(*image)));
        image->IdBlock()[7] = 0;
        ASSERT_TRUE(WriteFileBytes(Path("wrong.dat"), FileBytes(*image)));
        ASSERT_TRUE(WriteFileBytes(Path("plain"), "x"));
    }
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
};

TEST_F(CliTest, ExitStatusFollowsTheOutcome)
{
    const QString img = Path("pattern.dat");
    const QString out = Path("out.txt");
    const QString none = Path("none.dat");
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{}, 2},
        {{"--help"}, 0},
        {{"show", "--help"}, 0},
        {{"frobnicate"}, 2},
        {{"make-default"}, 2},
        {{"make-default", Path("a.dat"), Path("b.dat")}, 2},
        {{"make-default", "-x"}, 2},
        {{"export", img}, 2},
        {{"export", img, out, "--default"}, 2},
        {{"export", img, out, "--verbose"}, 2},
        {{"show", img}, 2},
        {{"show", img, "volume"}, 2},
        {{"show", img, "power", "--default", none}, 0},
        {{"show", img, "sql-fine", "--default", none}, 0},
        {{"show", Path("wrong.dat"), "power", "--default", none}, 1},
        {{"export", Path("missing.dat"), out, "--default", none}, 1},
        {{"export", img, Path("plain/out.txt"), "--default", none}, 1},
        {{"make-default", Path("plain/Default.dat")}, 1},
    };
    for (const auto& c : cases) {
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.status) << c.args.join(QLatin1Char(' ')).toStdString();
        if (c.status == 2) {
            EXPECT_TRUE(r.err.contains(QLatin1String("usage:"))) << r.err.toStdString();
        }
        if (c.status == 1) {
            EXPECT_FALSE(r.err.isEmpty());
        }
    }
}

// "--" ends the options, so names that begin with "-" can be given; before it they are
// options as ever.
TEST_F(CliTest, VersionAndEndOfOptions)
{
    const QString folder = m_dir.path();
    const struct {
        QStringList args;
        int status;
        const char* written;  // the file the command makes, or nullptr
    } cases[] = {
        {{"make-default", "-x.dat"}, 2, nullptr},
        {{"make-default", "--", "-x.dat"}, 0, "-x.dat"},
        {{"make-default", "--", "--help"}, 0, "--help"},
        {{"export", "--default", "-x.dat", "--", "-x.dat", "-y.txt"}, 0, "-y.txt"},
        {{"export", "--", "-x.dat", "-z.txt", "--default", "-x.dat"}, 2, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun r = RunCli(c.args, folder);
        EXPECT_EQ(r.exitCode, c.status) << r.err.toStdString();
        if (c.written != nullptr) {
            EXPECT_TRUE(QFileInfo(Path(c.written)).isFile());
        }
    }
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("qmcal-cli %1\n").arg(QLatin1String(kVersion)));
}

// Files that are not a whole parameter file, outputs that would replace a read-only file or an
// input, and output that cannot be written: each refused with its reason, nothing replaced,
// and no command left waiting on a pipe.
TEST_F(CliTest, FilesThatCannotBeUsedAreRefused)
{
    const QByteArray whole = ReadFileBytes(Path("pattern.dat"));
    ASSERT_TRUE(WriteFileBytes(Path("short.dat"), whole.left(67200)));
    ASSERT_TRUE(WriteFileBytes(Path("empty.dat"), {}));
    ASSERT_TRUE(WriteFileBytes(Path("long.dat"), whole + QByteArray(368, '\x5A')));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0666), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_TRUE(WriteFileBytes(Path("ro.dat"), "golden"));
    ASSERT_EQ(::chmod(QFile::encodeName(Path("ro.dat")).constData(), 0444), 0);
    ASSERT_EQ(::symlink("loop", QFile::encodeName(Path("loop")).constData()), 0);
    ASSERT_EQ(::symlink("pattern.dat", QFile::encodeName(Path("link.dat")).constData()), 0);
    ASSERT_EQ(::link(QFile::encodeName(Path("pattern.dat")).constData(), QFile::encodeName(Path("hard.dat")).constData()), 0);
    // The folder takes new files from anyone, so only the file's own mode protects it.
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0777), 0);

    const QString img = Path("pattern.dat");
    const QString none = Path("none");
    const QString shortText = QStringLiteral(": 67200 bytes, a parameter file has 69632");
    const struct {
        Runner runner;
        QStringList args;
        int status;
        QString said;  // on standard error
    } cases[] = {
        {Runner::Plain, {"show", Path("short.dat"), "power", "--default", none}, 1, Path("short.dat") + shortText + "\n"},
        {Runner::Plain, {"diff", img, Path("short.dat"), "--default", none}, 2, Path("short.dat") + shortText},
        {Runner::Plain, {"show", Path("empty.dat"), "power", "--default", none}, 1, "文件不匹配 (the file is empty)"},
        {Runner::Plain, {"show", Path("wrong.dat"), "power", "--default", none}, 1,
         "qmcal-cli: " + Path("wrong.dat") + ": 文件不匹配 (not a QM6200 parameter file)\n"},
        {Runner::Plain, {"show", Path("long.dat"), "power", "--default", none}, 0,
         "warning: " + Path("long.dat") + ": 70000 bytes, a parameter file has 69632; the rest was ignored"},
        {Runner::Plain, {"export", img, Path("a.txt"), "--default", Path("short.dat")}, 0,
         "warning: " + Path("short.dat") + shortText + "; the image starts from zeros"},
        {Runner::Plain, {"show", Path("fifo"), "power", "--default", none}, 1, Path("fifo") + ": not a regular file"},
        {Runner::Plain, {"export", Path("folder"), Path("b.txt"), "--default", none}, 1,
         Path("folder") + ": not a regular file"},
        {Runner::Plain, {"make-default", Path("ro.dat")}, 1, Path("ro.dat") + ": the file is read-only"},
        {Runner::Plain, {"export", img, Path("ro.dat"), "--default", none}, 1, Path("ro.dat") + ": the file is read-only"},
        {Runner::Nobody, {"make-default", Path("ro.dat")}, 1, Path("ro.dat") + ": the file is read-only"},
        {Runner::Plain, {"make-default", Path("loop")}, 1, Path("loop") + ": Too many levels of symbolic links"},
        {Runner::Plain, {"export", img, img, "--default", none}, 2, "named twice"},
        {Runner::Plain, {"export", img, Path("link.dat"), "--default", none}, 2, "named twice"},
        {Runner::Plain, {"export", img, Path("hard.dat"), "--default", none}, 2, "named twice"},
        {Runner::Plain, {"read", "/dev/null", img, "--default", Path("link.dat")}, 2, "named twice"},
        {Runner::FullOutput, {"show", img, "power", "--default", none}, 1,
         "qmcal-cli: write error: No space left on device\n"},
        {Runner::FullOutput, {"diff", "--json", img, img, "--default", none}, 2,
         "qmcal-cli: write error: No space left on device\n"},
        {Runner::FullOutput, {"export", img, "/dev/stdout", "--default", none}, 1, "No space left on device"},
        // The reason depends on what the process opened on the free descriptor.
        {Runner::ClosedOutput, {"show", img, "power", "--default", none}, 1, "qmcal-cli: write error: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun r = RunCliAs(c.runner, c.args);
        EXPECT_EQ(r.exitCode, c.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.said)) << r.err.toStdString();
        EXPECT_EQ(ReadFileBytes(img), whole);
        EXPECT_EQ(ReadFileBytes(Path("ro.dat")), "golden");
        EXPECT_TRUE(QFileInfo(Path("loop")).isSymLink());
    }
    EXPECT_FALSE(QFileInfo::exists(Path("b.txt")));
}

// Qt's parser: its error text, then the command's usage line; "--name=value"; help per command
// with the command's own options; "--" before the command's name.
TEST_F(CliTest, OptionsGoThroughQtsParser)
{
    const QString img = Path("pattern.dat");
    const QString none = Path("none.dat");
    const QString exportUsage = QStringLiteral("usage: qmcal-cli export IMAGE.dat OUT.txt [--default FILE] [--lang CODE]\n");
    const struct {
        QStringList args;
        int status;
        QString out;  // what standard output begins with
        QString err;  // all of standard error, or only its start when it ends in "..."
    } cases[] = {
        {{"export", img, Path("a.txt"), "--verbose"}, 2, "", "qmcal-cli: Unknown option 'verbose'.\n" + exportUsage},
        {{"export", img, Path("a.txt"), "--default"}, 2, "", "qmcal-cli: Missing value after '--default'.\n" + exportUsage},
        {{"export", "-x.dat", Path("a.txt")}, 2, "", "qmcal-cli: Unknown option 'x.dat'.\n" + exportUsage},
        {{"export", img, Path("a.txt"), "--json"}, 2, "", "qmcal-cli: Unknown option 'json'.\n" + exportUsage},
        {{"show", img, "power", "--json=yes"}, 2, "",
         "qmcal-cli: Unexpected value after '--json'.\n"
         "usage: qmcal-cli show IMAGE.dat PAGE [--json] [--default FILE] [--lang CODE]\n"},
        {{"export", img}, 2, "", exportUsage},
        {{"detect", "ttyS0"}, 2, "", "usage: qmcal-cli detect [--port NAME]... [--lang CODE]\n"},
        {{"--bogus", "export"}, 2, "", "qmcal-cli: Unknown option 'bogus'.\n\nusage: qmcal-cli COMMAND ARGS...\n..."},
        {{"export", img, Path("a.txt"), "--default=" + none}, 0, "",
         "qmcal-cli: warning: " + none + " cannot be read; the image starts from zeros and out-of-range values become 0\n"},
        {{"show", "--json", "--default=" + img, "--", img, "power"}, 0, "{", ""},
        {{"--", "show", img, "power", "--default", img}, 0, "Power\n", ""},
        {{"read", "-h"}, 0,
         "usage: qmcal-cli read PORT OUT.dat [--no-backup] [--default FILE] [--lang CODE]\n\nOptions:\n", ""},
        {{"show", "--bogus", "--help"}, 0, "usage: qmcal-cli show IMAGE.dat PAGE [--json] [--default FILE] [--lang CODE]\n", ""},
        {{"--help", "show"}, 0, "usage: qmcal-cli COMMAND ARGS...\n", ""},
        {{"show", "--version"}, 2, "", "qmcal-cli: Unknown option 'version'.\n..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.status);
        if (c.out.isEmpty()) {
            EXPECT_EQ(r.out, QString());
        } else {
            EXPECT_TRUE(r.out.startsWith(c.out)) << r.out.toStdString();
        }
        if (c.err.endsWith(QLatin1String("..."))) {
            EXPECT_TRUE(r.err.startsWith(c.err.chopped(3))) << r.err.toStdString();
        } else {
            EXPECT_EQ(r.err.toStdString(), c.err.toStdString());
        }
    }
    // Each command's help lists exactly the options its usage line names.
    for (const char* command : {"make-default", "export", "show", "diff", "detect", "read", "verify", "write-rssi", "report"}) {
        SCOPED_TRACE(command);
        const QStringList lines = RunCli({command, "--help"}).out.split(QLatin1Char('\n'));
        QStringList fromUsage;
        for (const QString& word : lines.first().split(QLatin1Char(' '))) {
            if (word.startsWith(QLatin1String("[--")))
                fromUsage << word.mid(1).remove(QLatin1Char(']')).remove(QLatin1String("..."));
        }
        QStringList listed;
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1String("  --")))
                listed << line.simplified().section(QLatin1Char(' '), 0, 0);
        }
        EXPECT_EQ(listed, fromUsage);
    }
}

TEST_F(CliTest, WrongIdentifierWritesNothing)
{
    const CliRun r = RunCli({"export", Path("wrong.dat"), Path("out.txt"), "--default", Path("none")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("文件不匹配"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.txt")));

    const CliRun missing = RunCli({"export", Path("missing.dat"), Path("out.txt")});
    EXPECT_TRUE(missing.err.contains(QString::fromLocal8Bit(std::strerror(ENOENT))));
}

// The export is the repaired image: against an empty default every out-of-range value falls
// to 0; against a default that holds the same bytes nothing changes.
TEST_F(CliTest, ExportIsTheRepairedImage)
{
    const CliRun empty = RunCli({"export", Path("pattern.dat"), Path("a.txt"), "--default", Path("none")});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(empty.err.contains(QLatin1String("warning: ") + Path("none"))) << empty.err.toStdString();
    EXPECT_EQ(ReadFileBytes(Path("a.txt")), Golden("pattern_repaired.txt"));
    const CliRun same = RunCli({"export", Path("pattern.dat"), Path("b.txt"), "--default", Path("pattern.dat")});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.err, QString());
    EXPECT_EQ(ReadFileBytes(Path("b.txt")), Golden("pattern.txt"));
}

TEST_F(CliTest, MakeDefaultWritesTheFactoryImage)
{
    ASSERT_EQ(RunCli({"make-default", Path("Default.dat")}).exitCode, 0);
    auto image = NewImageObject();
    FillFactoryImage(*image);
    const QByteArray expected = FileBytes(*image);
    EXPECT_EQ(ReadFileBytes(Path("Default.dat")), expected);
    EXPECT_EQ(ReadFileBytes(QStringLiteral(QMCAL_BIN_DIR "/Default.dat")), expected);
}

// One block per slot with points; the frequency with five decimals and values in upper-case
// hex, "0*" for a value the repair could not bring into range.
TEST_F(CliTest, ShowPrintsThePageGrid)
{
    auto image = NewImageObject();
    std::copy(kIdHeader.begin(), kIdHeader.end(), image->IdBlock().begin());
    putU32le(image->IdBlock(), kRssiLayout.FreqOffset(kSlot450MR, 1), 0x43392500);
    putU16le(image->ParamArea(), 0xFCA4, 0x3FFF);
    putU16le(image->ParamArea(), 0xFCA6, 0xBEEF);
    ASSERT_TRUE(WriteFileBytes(Path("img.dat"), FileBytes(*image)));
    ASSERT_TRUE(WriteFileBytes(Path("def.dat"), FileBytes(*image)));  // repair keeps 0xBEEF

    const CliRun r = RunCli({"show", Path("img.dat"), "rssi", "--default", Path("def.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(), QStringLiteral("RSSI"));
    EXPECT_EQ(r.out.count(QStringLiteral("RSSI1 (0-3FFF)")), 11);
    const auto at = lines.indexOf(QStringLiteral("[450M R]"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines.at(at + 1).simplified(), QStringLiteral("Freq RSSI1 (0-3FFF) RSSI9 (0-3FFF)"));
    EXPECT_EQ(lines.at(at + 2).simplified(), QStringLiteral("433.92500 3FFF 0*"));
    EXPECT_EQ(lines.at(at - 2).simplified(), QStringLiteral(".0 0 0"));  // 450M L, empty

    const CliRun rx = RunCli({"show", Path("img.dat"), "rx-tuning", "--default", Path("def.dat")});
    EXPECT_FALSE(rx.out.contains(QLatin1String("[30M]")));  // hidden slots print nothing
    EXPECT_EQ(rx.out.count(QLatin1Char('[')), 7);
}

// One known point on each of several pages, and a byte no grid shows: diff lists exactly those,
// with the texts of the grids, and show --json gives the same texts.
TEST_F(CliTest, DiffListsWhatDiffersAsTheGridsShowIt)
{
    auto a = NewImageObject();
    FillFactoryImage(*a);
    std::copy(kIdHeader.begin(), kIdHeader.end(), a->IdBlock().begin());
    putU32le(a->IdBlock(), kPowerLayout.FreqOffset(4, 2), 0x14500000);
    putU32le(a->IdBlock(), kTxModLayout.FreqOffset(7, 1), 0x43500000);
    putU32le(a->IdBlock(), kRssiLayout.FreqOffset(kSlot450MR, 1), 0x43392500);
    const std::uint16_t powerHigh = kPowerLayout.FieldAddress(4, 2, kPowerLayout.Field(3));
    const std::uint16_t micGain = kTxModLayout.FieldAddress(7, 1, kTxModLayout.Field(0));
    const std::uint16_t rssi9 = kRssiLayout.FieldAddress(kSlot450MR, 1, kRssiLayout.Field(1));
    const struct {
        std::uint16_t address;
        int width;
        unsigned a;
        unsigned b;
    } points[] = {
        {powerHigh, 1, 0x80, 0x7F},
        {micGain, 1, 2, 7},
        {rssi9, 2, 0x1F0, 0x1F2},
        {SqlFineAddress(9, 2), 1, 0, 0x50},
        {SqlFineAddress(10, 1), 1, 3, 0xFE},
        {0xF7A8, 1, 0, 0x5A},
    };
    for (const auto& p : points)
        putField(a->ParamArea(), p.address, p.width, p.a);
    ASSERT_TRUE(WriteFileBytes(Path("a.dat"), FileBytes(*a)));
    for (const auto& p : points)
        putField(a->ParamArea(), p.address, p.width, p.b);
    ASSERT_TRUE(WriteFileBytes(Path("b.dat"), FileBytes(*a)));

    // Run from the files' folder, so that the header names them as given.
    const CliRun text = RunCli({"diff", "a.dat", "b.dat", "--default", "a.dat"}, m_dir.path());
    EXPECT_EQ(text.exitCode, 1) << text.err.toStdString();
    EXPECT_EQ(text.out.toStdString(),
              "A = a.dat\n"
              "B = b.dat\n"
              "page      band    row        column          A    B\n"
              "Power     150M    145.00000  High (0-FF)     80   7F\n"
              "Tx Mod    450M    435.00000  MIC Gain db     6.4  22.4\n"
              "RSSI      450M R  433.92500  RSSI9 (0-3FFF)  1F0  1F2\n"
              "Sql Fine          850M       N SQL           0    0*\n"
              "Sql Fine          150M R     W SQL           3    -2\n"
              "byte              F7A8                       00   5A\n"
              "6 differences: Power 1, Tx Mod 1, RSSI 1, Sql Fine 2, bytes 1\n");

    // One object; each value's number is what is stored, also where the grid shows "0*".
    const CliRun json = RunCli({"diff", "--json", Path("a.dat"), Path("b.dat"), "--default", Path("a.dat")});
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject result = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(result["a"].toString(), Path("a.dat"));
    EXPECT_EQ(result["b"].toString(), Path("b.dat"));
    EXPECT_EQ(result["total"].toInt(), 6);
    EXPECT_EQ(result["counts"].toObject(),
              QJsonObject({{"Power", 1}, {"Tx Mod", 1}, {"RSSI", 1}, {"Sql Fine", 2}, {"bytes", 1}}));
    const QJsonArray items = result["differences"].toArray();
    ASSERT_EQ(items.size(), 6) << json.out.toStdString();
    EXPECT_EQ(items[2].toObject(), QJsonObject({{"page", "RSSI"}, {"band", "450M R"}, {"row", "433.92500"},
                                                {"column", "RSSI9 (0-3FFF)"}, {"a", "1F0"}, {"a_value", 0x1F0},
                                                {"b", "1F2"}, {"b_value", 0x1F2}}));
    EXPECT_EQ(items[3].toObject()["b"].toString(), QStringLiteral("0*"));
    EXPECT_EQ(items[3].toObject()["b_value"].toInt(), 0x50);
    EXPECT_EQ(items[4].toObject()["b_value"].toInt(), 0xFE);
    EXPECT_EQ(items[5].toObject(), QJsonObject({{"address", "F7A8"}, {"address_value", 0xF7A8}, {"a", "00"},
                                                {"a_value", 0}, {"b", "5A"}, {"b_value", 0x5A}}));

    const CliRun show = RunCli({"show", Path("b.dat"), "sql-fine", "--json", "--default", Path("a.dat")});
    const QJsonObject page = QJsonDocument::fromJson(show.out.toUtf8()).object();
    EXPECT_EQ(page["page"].toString(), QStringLiteral("Sql Fine"));
    EXPECT_EQ(page["columns"].toArray(), QJsonArray({"", "W SQL", "N SQL"}));
    const QJsonArray rows = page["bands"].toArray().at(0).toObject()["rows"].toArray();
    ASSERT_EQ(rows.size(), kSqlFineRows) << show.out.toStdString();
    EXPECT_EQ(rows[8].toArray(), QJsonArray({"850M", "0", "0*"}));
    EXPECT_EQ(rows[9].toArray(), QJsonArray({"150M R", "-2", "0"}));

    // As diff and cmp: 0 alike, 1 different, 2 trouble, with the usage only for a usage error.
    const struct {
        QStringList args;
        int status;
        bool usage;
    } cases[] = {
        {{"diff", Path("a.dat"), Path("a.dat"), "--default", Path("a.dat")}, 0, false},
        {{"diff", Path("a.dat"), Path("wrong.dat"), "--default", Path("a.dat")}, 2, false},
        {{"diff", Path("missing.dat"), Path("a.dat"), "--default", Path("a.dat")}, 2, false},
        {{"diff", Path("a.dat")}, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.status);
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(r.err.contains(QLatin1String("usage:")), c.usage) << r.err.toStdString();
        EXPECT_EQ(r.err.isEmpty(), c.status == 0);
    }
}

// One value apart between two units: the report marks it with the reference's value beside
// it, in HTML on standard output or in CSV into a file; files it may not write are refused.
TEST_F(CliTest, ReportMarksWhatDiffersFromTheReference)
{
    auto unit = NewImageObject();
    FillFactoryImage(*unit);
    std::copy(kIdHeader.begin(), kIdHeader.end(), unit->IdBlock().begin());
    putU32le(unit->IdBlock(), kPowerLayout.FreqOffset(4, 2), 0x14500000);
    const std::uint16_t powerHigh = kPowerLayout.FieldAddress(4, 2, kPowerLayout.Field(3));
    putField(unit->ParamArea(), powerHigh, 1, 0x80);
    ASSERT_TRUE(WriteFileBytes(Path("a.dat"), FileBytes(*unit)));
    putField(unit->ParamArea(), powerHigh, 1, 0x7F);
    ASSERT_TRUE(WriteFileBytes(Path("b.dat"), FileBytes(*unit)));
    ASSERT_TRUE(WriteFileBytes(Path("ro.html"), "golden"));
    ASSERT_EQ(::chmod(QFile::encodeName(Path("ro.html")).constData(), 0444), 0);
    const QByteArray bBytes = ReadFileBytes(Path("b.dat"));

    const QString a = Path("a.dat");
    const QString b = Path("b.dat");
    const QString markedB = R"(<td class="differs">7F (127)<span class="ref">reference 80 (128)</span></td>)";
    const struct {
        QStringList args;
        int status;
        const char* output;  // the file written; nullptr: standard output
        int marked;          // values marked as differing
        QString shown;       // in what was written, or on standard error when status is not 0
    } cases[] = {
        {{"report", b, "--default", a}, 0, nullptr, 1, markedB},
        {{"report", b, "--default", a, "-o", Path("b.CSV")}, 0, "b.CSV", 1, "\nPower,150M,2,145.00000,High (0-FF),7F,127,80,yes\n"},
        {{"report", b, "--default", a, "--against", b}, 0, nullptr, 0, "<h2>Sql Fine</h2>"},
        {{"report", a, "--default", a, "--against", b, "-o", Path("a.html")}, 0, "a.html", 1,
         R"(<td class="differs">80 (128)<span class="ref">reference 7F (127)</span></td>)"},
        {{"report", b, "--default", a, "--against", Path("missing.dat")}, 1, nullptr, 0, Path("missing.dat") + ": "},
        {{"report", b, "--default", a, "-o", b}, 2, nullptr, 0, "named twice"},
        {{"report", b, "--against", a, "-o", a}, 2, nullptr, 0, "named twice"},
        {{"report", b, "--default", a, "-o", Path("ro.html")}, 1, nullptr, 0, Path("ro.html") + ": the file is read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.status) << r.err.toStdString();
        EXPECT_EQ(ReadFileBytes(b), bBytes);
        EXPECT_EQ(ReadFileBytes(Path("ro.html")), "golden");
        if (c.status != 0) {
            EXPECT_EQ(r.out, QString());
            EXPECT_TRUE(r.err.contains(c.shown)) << r.err.toStdString();
            continue;
        }
        EXPECT_EQ(r.err, QString());
        const QString written = c.output == nullptr ? r.out : QString::fromUtf8(ReadFileBytes(Path(c.output)));
        EXPECT_EQ(r.out.isEmpty(), c.output != nullptr);
        EXPECT_TRUE(written.contains(c.shown)) << written.left(2000).toStdString();
        if (written.startsWith(QLatin1String("page,"))) {
            EXPECT_EQ(written.count(QLatin1String(",yes\n")), c.marked);
        } else {
            EXPECT_TRUE(written.startsWith(QLatin1String("<!DOCTYPE html>"))) << written.left(200).toStdString();
            EXPECT_TRUE(written.contains(QFileInfo(c.args.at(1)).absoluteFilePath()));
            EXPECT_EQ(written.count(QLatin1String("class=\"differs\"")), c.marked);
        }
    }
}

// Each command that acts leaves one line with the text it showed; a log that cannot be written
// is a warning, said once, and the command still does its work.
TEST_F(CliTest, CommandsLogTheirOutcome)
{
    const QByteArray savedFolder = qgetenv("QMCAL_DATA_DIR");
    const QString data = Path("data");
    ASSERT_TRUE(QDir().mkpath(data));
    qputenv("QMCAL_DATA_DIR", QFile::encodeName(data));
    const QString logFile = data + "/log/qmcal-" + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + ".log";
    const QString none = Path("none.dat");
    const struct {
        const char* name;
        QStringList args;
        int status;
        QString file;
        QString result;  // empty: the text the command said on standard error
        bool logBlocked;
    } cases[] = {
        {"make-default", {"make-default", Path("a.dat")}, 0, Path("a.dat"), "done", false},
        {"export of a missing image", {"export", none, Path("a.txt")}, 1, none, "", false},
        {"export", {"export", Path("pattern.dat"), Path("a.txt")}, 0, Path("a.txt"), "done", false},
        {"show acts on nothing", {"show", Path("pattern.dat"), "power"}, 0, "", "", false},
        {"report into a file", {"report", Path("pattern.dat"), "-o", Path("r.csv")}, 0, Path("r.csv"), "done", false},
        {"report on standard output acts on nothing", {"report", Path("pattern.dat")}, 0, "", "", false},
        {"report against a missing file", {"report", Path("pattern.dat"), "--against", none, "-o", Path("r.html")}, 1,
         none, "", false},
        {"log cannot be written", {"make-default", Path("b.dat")}, 0, "", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.logBlocked) {
            ASSERT_TRUE(QDir(data + "/log").removeRecursively());
            ASSERT_TRUE(WriteFileBytes(data + "/log", "x"));
        }
        QFile log(logFile);
        const QByteArray before = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
        log.close();
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.status) << run.err.toStdString();
        if (c.logBlocked) {
            EXPECT_TRUE(run.err.startsWith("qmcal-cli: warning: Cannot write the session log " + data + "/log/"))
                << run.err.toStdString();
            EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
            EXPECT_TRUE(QFileInfo::exists(Path("b.dat")));
            continue;
        }
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString added = QString::fromUtf8(log.readAll().mid(before.size()));
        if (c.file.isEmpty()) {
            EXPECT_EQ(added, QString());
            continue;
        }
        const QString shown = c.result.isEmpty() ? run.err.section(": ", 2, -1).trimmed() : c.result;
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_EQ(added.section('\t', 1), "qmcal-cli " + c.args.first() + "\t\t" + c.file + "\t" + shown + "\n");
    }
    qputenv("QMCAL_DATA_DIR", savedFolder);
}

} // namespace
} // namespace qmcal
