#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

namespace qmcal {

// Outcome of a file operation; messageText is what the user is shown when ok is false.
struct FileResult {
    bool ok = false;
    QString messageText;
};

inline constexpr char kNoErrorText[] = "Sorry, error not find.";

// The system's text for a file's last failure, or kNoErrorText when it has none.
QString SystemErrorText(const QFileDevice& file);

// Every file the program writes goes through here. An ordinary file is replaced or left as it
// was: the bytes go to a temporary file in the same folder that takes the target's place, with
// its permissions and (where the process may) its owner and group, once every byte is on disk.
// A symbolic link stays and its target gets the bytes. A device, a pipe, a file with several
// names, and a file whose folder takes no new file are written in place, never cut short
// before the new bytes are in. A failure carries the system's text.
FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace qmcal
