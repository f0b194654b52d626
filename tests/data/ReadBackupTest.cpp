#include "DataTestSupport.h"

#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/ReadBackup.h"

#include <QDir>
#include <QTemporaryDir>

#include <vector>

#include <gtest/gtest.h>

namespace qmcal {
namespace {

using namespace test;

bool SetModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime);
}

// Three Reads in one second with room for three backups: the names count on from the plain
// one, the oldest go (by the files' times: one written by a clock that ran ahead stays), and
// files of other names stay.
TEST(ReadBackup, NamesNumbersAndKeepsTheNewest)
{
    QTemporaryDir data;
    const QString folder = BackupFolder(data.path());
    ASSERT_TRUE(QDir().mkpath(folder));
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char* name;
        qint64 secondsAhead;
    } existing[] = {{"read-20251231-235959.dat", -7200}, {"read-20260102-030404-2.dat", -3600},
                    {"read-20260102-030405-10.dat", 86400}, {"notes.dat", -9000}, {"read-later.txt", -9000}};
    for (const auto& e : existing) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(e.name);
        ASSERT_TRUE(WriteFileBytes(path, "x"));
        ASSERT_TRUE(SetModified(path, now.addSecs(e.secondsAhead)));
    }

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

// Which backups make room: the oldest by the files' times, the name's time and number breaking
// ties; never the backup just written nor one newer than it (the clock behind the names: a dead
// clock battery, a date put right); none at all when the new one could not be written.
TEST(ReadBackup, OnlyOlderBackupsMakeRoom)
{
    struct Old {
        const char* name;
        qint64 secondsAgo;
    };
    const struct {
        const char* name;
        std::vector<Old> old;
        int namedAhead;  // that many more, named and dated a year ahead
        int keep;
        bool writeFails;
        QStringList gone;
    } cases[] = {
        {"clock behind every name", {}, 1000, 1000, false, {}},
        {"oldest by file time, ties by number",
         {{"read-20990101-000000.dat", 300}, {"read-20200101-000000-9.dat", 100}, {"read-20200101-000000-10.dat", 100}},
         0, 2, false, {"read-20990101-000000.dat", "read-20200101-000000-9.dat"}},
        {"a failed backup deletes none", {{"read-20200101-000000.dat", 300}, {"read-20200101-000001.dat", 200}}, 0, 1,
         true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir data;
        const QString folder = BackupFolder(data.path());
        ASSERT_TRUE(QDir().mkpath(folder));
        const QDateTime now = QDateTime::currentDateTime();
        QStringList before;
        for (const Old& o : c.old) {
            before << QLatin1String(o.name);
            ASSERT_TRUE(WriteFileBytes(folder + QLatin1Char('/') + before.last(), "x"));
            ASSERT_TRUE(SetModified(folder + QLatin1Char('/') + before.last(), now.addSecs(-o.secondsAgo)));
        }
        const QDateTime ahead = now.addYears(1);
        for (int i = 1; i <= c.namedAhead; ++i) {
            before << BackupFileName(ahead, i);
            ASSERT_TRUE(WriteFileBytes(folder + QLatin1Char('/') + before.last(), "x"));
            ASSERT_TRUE(SetModified(folder + QLatin1Char('/') + before.last(), ahead));
        }

        auto image = NewImageObject();
        FileResult kept;
        {
            FileSizeLimit limit(c.writeFails ? 5000 : RLIM_INFINITY);
            kept = KeepReadBackup(*image, data.path(), now, c.keep);
        }
        EXPECT_EQ(kept.ok, !c.writeFails) << kept.messageText.toStdString();

        QStringList expected = before;
        for (const QString& name : c.gone)
            expected.removeOne(name);
        if (!c.writeFails)
            expected << BackupFileName(now, 1);
        expected.sort();
        const QStringList after = QDir(folder).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(after.join(QLatin1Char(' ')).toStdString(), expected.join(QLatin1Char(' ')).toStdString());
    }
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
