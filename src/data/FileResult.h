#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QFile;
class QFileDevice;

namespace qmcal {

// Outcome of a file operation. messageText is what the user is shown when ok is false; when ok
// is true it is a note worth saying, or empty.
struct FileResult {
    bool ok = false;
    QString messageText;
    bool refused = false;  // the program declined the file, the system did not fail: name the file
    QString reason{};      // why, where messageText is a bare verdict; said after it where there is room
};

inline constexpr const char* kNoErrorText = QT_TRANSLATE_NOOP("FileResult", "Sorry, error not find.");

// The system's text for a file's last failure, or kNoErrorText when it has none.
QString SystemErrorText(const QFileDevice& file);

// "the file is read-only": an existing file without a write bit for the caller is never
// replaced, by root neither, who would bypass the permissions; write-protecting a file means it.
QString ReadOnlyText();

// "not a regular file"
QString NotRegularText();

// Opens path for reading. A pipe, a device or a folder is refused without waiting on it: a
// pipe with no writer would block, a device may never end.
FileResult OpenRegularFile(QFile& file, const QString& path);

// Every file the program writes goes through here. An ordinary file is replaced or left as it
// was: the bytes go to a temporary file in the same folder that takes the target's place, with
// its permissions and (where the process may) its owner and group, once every byte is on disk.
// A symbolic link stays and its target gets the bytes. A device, a pipe, a file with several
// names, and a file whose folder takes no new file are written in place, never cut short
// before the new bytes are in. A read-only file is refused (ReadOnlyText). A failure carries
// the system's text.
FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace qmcal
