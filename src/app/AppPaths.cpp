#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qmcal {

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

} // namespace qmcal
