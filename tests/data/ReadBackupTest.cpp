#include "DataTestSupport.h"

#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/ReadBackup.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qmcal {
namespace {

using namespace test;

// Three Reads in one second with room for three backups: the names count on from the plain
// one, the oldest go (by time, then number: "-10" after "-2"), and files of other names stay.
TEST(ReadBackup, NamesNumbersAndKeepsTheNewest)
{
    QTemporaryDir data;
    const QString folder = BackupFolder(data.path());
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name : {"read-20251231-235959.dat", "read-20260102-030404-2.dat", "read-20260102-030405-10.dat",
                             "notes.dat", "read-later.txt"})
        ASSERT_TRUE(WriteFileBytes(folder + QLatin1Char('/') + QLatin1String(name), "x"));

    auto image = NewImageObject();
    FillPattern(image->ParamArea());
    image->IdBlock()[12] = 0x42;  // not the stamp
    const QByteArray before = FileBytes(*image);
    const QDateTime when(QDate(2026, 1, 2), QTime(3, 4, 5));
    for (int i = 0; i < 3; ++i) {
        const FileResult kept = KeepReadBackup(*image, data.path(), when, 3);
        EXPECT_TRUE(kept.ok) << kept.messageText.toStdString();
    }

    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              QStringList({"notes.dat", "read-20260102-030405-10.dat", "read-20260102-030405-2.dat",
                           "read-20260102-030405-3.dat", "read-later.txt"}));
    // Byte for byte what Save As writes, while the image itself stays as it was.
    EXPECT_EQ(FileBytes(*image), before);
    ASSERT_TRUE(SaveImageFileAs(*image, data.filePath(QStringLiteral("saved.dat"))).ok);
    EXPECT_EQ(ReadFileBytes(folder + QStringLiteral("/read-20260102-030405-3.dat")),
              ReadFileBytes(data.filePath(QStringLiteral("saved.dat"))));
}

TEST(ReadBackup, AFolderThatCannotBeMadeKeepsNothing)
{
    QTemporaryDir data;
    ASSERT_TRUE(WriteFileBytes(BackupFolder(data.path()), "not a folder"));
    auto image = NewImageObject();
    for (const QString& dataFolder : {data.path(), QString()}) {
        SCOPED_TRACE(dataFolder.toStdString());
        const FileResult kept = KeepReadBackup(*image, dataFolder);
        EXPECT_FALSE(kept.ok);
        EXPECT_TRUE(kept.messageText.startsWith(QLatin1String("No backup of this Read"))) << kept.messageText.toStdString();
    }
    EXPECT_EQ(QDir(data.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"backup"}));
}

} // namespace
} // namespace qmcal
