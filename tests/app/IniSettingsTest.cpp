#include "shell/IniSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qmcal {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct IniCase {
    const char* name;
    const char* before;  // nullptr: no file yet
    const char* value;
    const char* after;
};

const IniCase kCases[] = {
    {"new file", nullptr, "COM3", "[Setup]\nCOM=COM3\n"},
    {"device path verbatim", nullptr, "\\\\.\\COM12", "[Setup]\nCOM=\\\\.\\COM12\n"},
    {"replaces the old value, keeps the rest",
     "; qmcal\n[Other]\nCOM=COM1\n\n[Setup]\nBaud=9600\nCOM=COM7\nX=1\n\n[Tail]\nB=2\n", "COM4",
     "; qmcal\n[Other]\nCOM=COM1\n\n[Setup]\nBaud=9600\nCOM=COM4\nX=1\n\n[Tail]\nB=2\n"},
    {"adds the key after the section's last entry",
     "[Setup]\nBaud=9600\n\n[Tail]\nB=2\n", "COM5", "[Setup]\nBaud=9600\nCOM=COM5\n\n[Tail]\nB=2\n"},
    {"adds the section at the end", "[Other]\nA=1", "COM6", "[Other]\nA=1\n[Setup]\nCOM=COM6\n"},
    {"names match whatever their case and blanks", "[ setup ]\n com = COM1\n", "COM8",
     "[ setup ]\nCOM=COM8\n"},
    {"keeps CR LF line breaks", "[Setup]\r\nCOM=COM1\r\n[Tail]\r\nB=2\r\n", "COM9",
     "[Setup]\r\nCOM=COM9\r\n[Tail]\r\nB=2\r\n"},
    {"a commented key is not the key", "[Setup]\n;COM=COM1\n", "COM2", "[Setup]\n;COM=COM1\nCOM=COM2\n"},
    {"stray carriage returns end the line", "[Other]\nA=1\r\r", "COM6", "[Other]\nA=1\n[Setup]\nCOM=COM6\n"},
};

TEST(IniSettings, WritesTheKeyAndKeepsEverythingElse)
{
    for (const IniCase& c : kCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        IniSettings ini;
        ini.SetFileName(dir.path() + QLatin1Char('/'), QStringLiteral("Program.ini"));
        EXPECT_EQ(ini.FilePath(), dir.filePath(QStringLiteral("Program.ini")));
        if (c.before != nullptr)
            WriteAll(ini.FilePath(), c.before);
        EXPECT_NE(ini.Write(QStringLiteral("Setup"), QStringLiteral("COM"), QString::fromLatin1(c.value)), 0);
        EXPECT_EQ(ReadAll(ini.FilePath()), QByteArray(c.after));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary left
    }
}

TEST(IniSettings, WritesNothingForEmptyOrUnsafeInput)
{
    const struct {
        const char* key;
        const char* value;
    } cases[] = {{"COM", ""}, {"", "COM3"}, {"COM", "COM3\n[Evil]"}, {"CO\rM", "COM3"}};
    for (bool existing : {false, true}) {
        for (const auto& c : cases) {
            QTemporaryDir dir;
            IniSettings ini;
            ini.SetFileName(dir.path() + QLatin1Char('/'), QStringLiteral("Program.ini"));
            if (existing)
                WriteAll(ini.FilePath(), "[Setup]\nCOM=COM7\n");
            EXPECT_EQ(ini.Write(QStringLiteral("Setup"), QLatin1String(c.key), QLatin1String(c.value)), 0)
                << c.key << "/" << c.value;
            EXPECT_EQ(ReadAll(ini.FilePath()), existing ? QByteArray("[Setup]\nCOM=COM7\n") : QByteArray("<none>"));
        }
    }
}

TEST(IniSettings, UnwritablePathReturnsZero)
{
    QTemporaryDir dir;
    IniSettings ini;
    ini.SetFileName(dir.path() + QLatin1Char('/'), QStringLiteral("sub/Program.ini"));
    EXPECT_EQ(ini.Write(QStringLiteral("Setup"), QStringLiteral("COM"), QStringLiteral("COM3")), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Program.ini")));
    ini.SetFileName(dir.path() + QLatin1Char('/'), QStringLiteral("Program.ini"));
    EXPECT_EQ(ini.Write(QStringLiteral("Setup"), QStringLiteral("COM"), QStringLiteral("COM3")), 0);
}

} // namespace
} // namespace qmcal
