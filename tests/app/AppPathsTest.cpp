#include "app/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qmcal {
namespace {

TEST(AppPaths, ExeFolderKeepsItsTrailingSeparator)
{
    const struct {
        const char* exe;
        const char* folder;
    } cases[] = {
        {"/opt/qmcal/bin/qmcal", "/opt/qmcal/bin/"},
        {"/qmcal", "/"},
        {"qmcal", ""},  // no separator: files are taken relative to the current directory
        {"bin/qmcal", "bin/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExeFolderOf(QLatin1String(c.exe)), QLatin1String(c.folder)) << c.exe;
    EXPECT_EQ(DataFolder(QStringLiteral("/opt/qmcal/bin/")), QStringLiteral("/opt/qmcal/bin/DATA"));
}

TEST(AppPaths, DataFolderIsCreatedWhenMissingAndKeptWhenPresent)
{
    QTemporaryDir dir;
    const QString data = DataFolder(dir.path() + QLatin1Char('/'));
    EXPECT_TRUE(EnsureFolder(data));
    EXPECT_TRUE(QFileInfo(data).isDir());

    QFile kept(data + QStringLiteral("/Param.dat"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    EXPECT_TRUE(EnsureFolder(data));
    EXPECT_TRUE(kept.exists());

    // A plain file where the folder should be: reported, not replaced.
    QFile blocker(dir.filePath(QStringLiteral("other")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(EnsureFolder(blocker.fileName()));
    EXPECT_TRUE(QFileInfo(blocker.fileName()).isFile());
}

} // namespace
} // namespace qmcal
