#include "data/ReadBackup.h"

#include "data/ParamFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace qmcal {

namespace {

// Other files in the folder are the user's and stay.
const QRegularExpression kBackupName(QStringLiteral(R"(^read-(\d{8}-\d{6})(?:-(\d+))?\.dat$)"));

QString NoBackupText(const QString& path, const QString& why)
{
    return QCoreApplication::translate("ReadBackup", "No backup of this Read: %1: %2").arg(QDir::toNativeSeparators(path), why);
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

struct Backup {
    QDateTime modified;
    QString stamp;  // the time in the name
    int number = 1;  // none counts as 1
    QString name;

    // Oldest first: by the file's time, then by the name's.
    bool operator<(const Backup& other) const
    {
        return std::tie(modified, stamp, number) < std::tie(other.modified, other.stamp, other.number);
    }
};

// Deletes the oldest backups beyond keep. The one just written, and any newer than it, are
// never deleted: with the clock behind the names (a dead clock battery, a date put right) the
// new backup's name sorts first, and the name alone would delete it at once.
void DeleteOldest(const QString& folder, const QString& written, int keep)
{
    const QDateTime writtenAt = QFileInfo(written).lastModified();
    std::vector<Backup> backups;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files)) {
        const QRegularExpressionMatch match = kBackupName.match(info.fileName());
        if (match.hasMatch()) {
            const int number = match.hasCaptured(2) ? match.captured(2).toInt() : 1;
            backups.push_back({info.lastModified(), match.captured(1), number, info.fileName()});
        }
    }
    auto extra = static_cast<std::ptrdiff_t>(backups.size()) - std::max(keep, 0);
    std::sort(backups.begin(), backups.end());
    for (auto it = backups.begin(); extra > 0 && it != backups.end() && it->modified <= writtenAt; ++it) {
        if (folder + QLatin1Char('/') + it->name == written)
            continue;
        QFile::remove(folder + QLatin1Char('/') + it->name);
        --extra;
    }
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

FileResult KeepReadBackup(const ParamImage& image, const QString& dataFolder, const QDateTime& when, int keep,
                          QString* keptPath)
{
    // Without a home folder the data folder is empty; the backup must not land in "/backup".
    if (dataFolder.isEmpty())
        return {false, QCoreApplication::translate("ReadBackup", "No backup of this Read: no home folder to keep it in")};
    const QString folder = BackupFolder(dataFolder);
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return {false, NoBackupText(folder, QCoreApplication::translate("ReadBackup", "Cannot create the folder"))};
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
    DeleteOldest(folder, path, keep);
    if (keptPath != nullptr)
        *keptPath = path;
    return result;
}

} // namespace qmcal
