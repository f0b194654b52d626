#include "data/DataTestSupport.h"

#include "data/FactoryImage.h"
#include "data/FreqWord.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "qmcal/Version.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace qmcal {
namespace {

using namespace test;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun RunCli(const QStringList& args, const QString& folder = {})
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal-cli"), args);
    CliRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
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

} // namespace
} // namespace qmcal
