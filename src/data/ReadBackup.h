#pragma once

#include <QDateTime>
#include <QString>

#include "data/FileResult.h"
#include "data/ParamImage.h"

// A copy of every successful Read in DATA/backup: a unit's own calibration values must survive
// a wrong image written into it later.

namespace qmcal {

// The newest backups kept; older ones are deleted as new ones come.
inline constexpr int kBackupsKept = 1000;

// dataFolder + "/backup".
QString BackupFolder(const QString& dataFolder);

// "read-YYYYMMDD-HHMMSS.dat" in local time for number 1, "read-YYYYMMDD-HHMMSS-N.dat" for the
// N-th backup of the same second.
QString BackupFileName(const QDateTime& when, int number);

// Writes the image into BackupFolder(dataFolder) exactly as Save As would write it (the header
// stamped, 0xFCB0 on cleared), under the first BackupFileName of when not yet taken, then
// deletes the oldest backups beyond keep: by modification time, the name's time breaking ties;
// never the new backup nor one newer than it. A failed write deletes nothing. The image itself is not touched. Creates the folders
// when they are missing. A failure carries the text to say; no half-written backup stays. The
// backup's path goes to keptPath when given.
FileResult KeepReadBackup(const ParamImage& image, const QString& dataFolder,
                          const QDateTime& when = QDateTime::currentDateTime(), int keep = kBackupsKept,
                          QString* keptPath = nullptr);

} // namespace qmcal
