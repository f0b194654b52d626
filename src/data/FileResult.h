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

// Replaces path with bytes, or leaves it as it was: the bytes go to a temporary file in the
// same folder that takes the target's place only once every byte is on disk.
FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace qmcal
