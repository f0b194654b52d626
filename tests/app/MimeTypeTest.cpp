// The desktop's view of a unit's file: the shared MIME package, loaded by update-mime-database
// into a temporary folder, names the type by content alone.

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "data/FactoryImage.h"
#include "data/ParamFile.h"

namespace qmcal::test {
namespace {

constexpr const char* kMimeType = "application/x-qm6200-param";

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(MimeType, NamesAUnitsImageWhateverItsNameAndNoOtherDatFile)
{
    const QString updater = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (updater.isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed (shared-mime-info)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString mime = dir.filePath(QStringLiteral("share/mime"));
    ASSERT_TRUE(QDir().mkpath(mime + QStringLiteral("/packages")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QMCAL_MIME_PACKAGE), mime + QStringLiteral("/packages/qmcal.xml")));
    QProcess update;
    update.start(updater, {mime});
    ASSERT_TRUE(update.waitForFinished(60000));
    ASSERT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();

    ParamImage image;
    FillFactoryImage(image);
    ASSERT_TRUE(SaveImageFileAs(image, dir.filePath(QStringLiteral("unit.dat"))).ok);
    ASSERT_TRUE(SaveImageFileAs(image, dir.filePath(QStringLiteral("unit.bin"))).ok);
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("x.dat")), "frequency,level\n20.0,128\n"));
    // The identifier's last byte differs: another model's file.
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("other.dat")), QByteArray("QM6200P\xfe", 8).append(4096, '\0')));

    const QByteArray savedDirs = qgetenv("XDG_DATA_DIRS");
    const QByteArray systemDirs = savedDirs.isEmpty() ? QByteArray("/usr/local/share:/usr/share") : savedDirs;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dir.filePath(QStringLiteral("share"))) + ':' + systemDirs);
    const struct {
        const char* file;
        bool ours;
    } cases[] = {
        {"unit.dat", true},
        {"unit.bin", true},
        {"x.dat", false},
        {"other.dat", false},
    };
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = dir.filePath(QLatin1String(c.file));
        const QString name = QMimeDatabase().mimeTypeForFile(path).name();
        EXPECT_EQ(name == QLatin1String(kMimeType), c.ours) << name.toStdString();
        if (gio.isEmpty())
            continue;
        QProcess info;
        info.start(gio, {QStringLiteral("info"), QStringLiteral("-a"), QStringLiteral("standard::content-type"), path});
        ASSERT_TRUE(info.waitForFinished(30000));
        EXPECT_EQ(info.readAllStandardOutput().contains(kMimeType), c.ours);
    }
    if (savedDirs.isEmpty())
        qunsetenv("XDG_DATA_DIRS");
    else
        qputenv("XDG_DATA_DIRS", savedDirs);
}

} // namespace
} // namespace qmcal::test
