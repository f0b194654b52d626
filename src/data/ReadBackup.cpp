#include "data/ReadBackup.h"

#include "data/ParamFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace qmcal {

namespace {

// Other files in the folder are the user's and stay.
const QRegularExpression kBackupName(QStringLiteral(R"(^read-(\d{8}-\d{6})(?:-(\d+))?\.dat$)"));

QString NoBackupText(const QString& path, const QString& why)
{
    return QStringLiteral("No backup of this Read: %1: %2").arg(QDir::toNativeSeparators(path), why);
}

// Takes the name with an exclusive create, so two programs reading at the same second never
// write one file. Empty on failure, with the reason in error.
QString ReserveName(const QString& folder, const QDateTime& when, QString& error)
{
    for (int number = 1;; ++number) {
        const QString path = folder + QLatin1Char('/') + BackupFileName(when, number);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!file.exists()) {
            error = NoBackupText(path, SystemErrorText(file));
            return {};
        }
    }
}

// Oldest first: by the time in the name, then by its number (none counts as 1).
void DeleteOldest(const QString& folder, int keep)
{
    std::vector<std::pair<std::pair<QString, int>, QString>> backups;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch match = kBackupName.match(name);
        if (match.hasMatch()) {
            const int number = match.hasCaptured(2) ? match.captured(2).toInt() : 1;
            backups.push_back({{match.captured(1), number}, name});
        }
    }
    if (static_cast<int>(backups.size()) <= keep)
        return;
    std::sort(backups.begin(), backups.end());
    const auto extra = static_cast<std::ptrdiff_t>(backups.size()) - std::max(keep, 0);
    for (auto it = backups.begin(); it != backups.begin() + extra; ++it)
        QFile::remove(folder + QLatin1Char('/') + it->second);
}

} // namespace

QString BackupFolder(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("/backup");
}

QString BackupFileName(const QDateTime& when, int number)
{
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return number <= 1 ? QStringLiteral("read-%1.dat").arg(stamp) : QStringLiteral("read-%1-%2.dat").arg(stamp).arg(number);
}

FileResult KeepReadBackup(const ParamImage& image, const QString& dataFolder, const QDateTime& when, int keep)
{
    // Without a home folder the data folder is empty; the backup must not land in "/backup".
    if (dataFolder.isEmpty())
        return {false, QStringLiteral("No backup of this Read: no data folder to keep it in")};
    const QString folder = BackupFolder(dataFolder);
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return {false, NoBackupText(folder, QStringLiteral("Cannot create the folder"))};
    QString error;
    const QString path = ReserveName(folder, when, error);
    if (path.isEmpty())
        return {false, error};

    // Save As stamps and clears the image it writes; this works on a copy so the window's image,
    // and what a later Save writes, stay as they are.
    auto copy = std::make_unique<ParamImage>();
    copy->IdBlock() = image.IdBlock();
    copy->ParamArea() = image.ParamArea();
    FileResult result = SaveImageFileAs(*copy, path);
    if (!result.ok) {
        QFile::remove(path);
        return {false, NoBackupText(path, result.messageText)};
    }
    DeleteOldest(folder, keep);
    return result;
}

} // namespace qmcal
