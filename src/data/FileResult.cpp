#include "data/FileResult.h"

#include <QSaveFile>

namespace qmcal {

QString SystemErrorText(const QFileDevice& file)
{
    if (file.error() == QFileDevice::NoError || file.errorString().isEmpty())
        return QString::fromLatin1(kNoErrorText);
    return file.errorString();
}

FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered: QSaveFile does not see a write that fails while its buffer is flushed on
    // commit, and would put a cut-short file in the target's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, SystemErrorText(file)};
    // A full disk or a size limit first shows as a short count with no error; writing the
    // rest again brings out the reason.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const QString reason = SystemErrorText(file);
            file.cancelWriting();
            return {false, reason};
        }
        done += n;
    }
    if (!file.commit())
        return {false, SystemErrorText(file)};
    return {true, {}};
}

} // namespace qmcal
