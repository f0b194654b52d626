// qmcal-cli read and write-rssi against qmcal-sim over a real pseudo-terminal.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "data/Layouts.h"
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

CliRun RunCli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(kBin + QStringLiteral("/qmcal-cli"), args);
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
    const CliRun run = RunCli({QStringLiteral("read"), sim.Path(), Temp("out.dat")});
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
    EXPECT_EQ(read.err, "Open port fail!\n");
    EXPECT_FALSE(QFile::exists(Temp("out.dat")));

    const CliRun write = RunCli({QStringLiteral("write-rssi"), kBin + QStringLiteral("/Default.dat"),
                                 QStringLiteral("/dev/qmcal-no-such-port")});
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_EQ(write.err, "Open port fail!\n");
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

} // namespace
} // namespace qmcal::test
