#include "shell/AppPaths.h"

#include "data/ParamFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace qmcal {

namespace {

const QString kSubfolder = QStringLiteral("qmcal");

QString CannotCreateText(const QString& folder)
{
    return QCoreApplication::translate("AppPaths", "Cannot create the folder %1").arg(QDir::toNativeSeparators(folder));
}

// Qt takes an unset or empty HOME as the root and a relative one as it stands, which would put
// the program's folders at the root (a cron job or a service) or under the current folder.
bool HasHomeFolder()
{
#ifdef Q_OS_UNIX
    const QString home = QFile::decodeName(qgetenv("HOME"));
    return QDir::isAbsolutePath(home) && QDir::cleanPath(home) != QStringLiteral("/");
#else
    return true;
#endif
}

} // namespace

QString ExeFolderOf(const QString& exePath)
{
    const auto cut = exePath.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : exePath.left(cut + 1);
}

QString ExeFolder()
{
    return ExeFolderOf(QCoreApplication::applicationFilePath());
}

QString DataFolder(const QString& exeFolder)
{
    return exeFolder + QStringLiteral("DATA");
}

bool EnsureFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    return QDir().mkdir(folder);
}

AppLocations ResolveLocations(const QString& exeFolder)
{
    AppLocations where = ResolveModeLocations(exeFolder);
    // A production line may keep parameter files, backups and logs on a share; tests keep
    // them out of the build.
    if (const QString chosen = qEnvironmentVariable(kDataFolderVariable); !chosen.isEmpty())
        where.dataFolder = QDir::cleanPath(chosen);
    return where;
}

AppLocations ResolveModeLocations(const QString& exeFolder)
{
    AppLocations where;
    where.exeFolder = exeFolder;
    where.defaultFile = FindDefaultFile(exeFolder);
    if (QFileInfo(DefaultFilePath(exeFolder)).isFile()) {
        where.settingsFolder = exeFolder;
        where.dataFolder = DataFolder(exeFolder);
        return where;
    }
    where.mode = PathMode::Installed;
    if (!HasHomeFolder())
        return where;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Without a home folder Qt gives empty locations; they must not turn into "/qmcal".
    if (!config.isEmpty())
        where.settingsFolder = QDir::cleanPath(config + QLatin1Char('/') + kSubfolder) + QLatin1Char('/');
    if (!documents.isEmpty())
        where.dataFolder = QDir::cleanPath(documents + QLatin1Char('/') + kSubfolder);
    return where;
}

QStringList PrepareLocations(const AppLocations& locations)
{
    QStringList problems;
    if (locations.mode == PathMode::Portable) {
        if (!EnsureFolder(locations.dataFolder))
            problems << CannotCreateText(locations.dataFolder);
        return problems;
    }
    for (const QString& folder : {locations.settingsFolder, locations.dataFolder}) {
        if (folder.isEmpty())
            problems << QCoreApplication::translate("AppPaths", "No home folder to keep the settings and parameter files in");
        else if (!QDir().mkpath(folder))
            problems << CannotCreateText(QDir::cleanPath(folder));
    }
    problems.removeDuplicates();
    return problems;
}

QString CannotWriteText(const QString& path)
{
    return QCoreApplication::translate("AppPaths", "Cannot write %1").arg(QDir::toNativeSeparators(path));
}

void PrintLocationProblem(const QString& text)
{
    std::fprintf(stderr, "qmcal: %s\n", text.toLocal8Bit().constData());
}

} // namespace qmcal
