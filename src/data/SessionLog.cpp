#include "data/SessionLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qmcal {

namespace {

// Other files in the folder are the user's and stay.
const QRegularExpression kLogName(QStringLiteral(R"(^qmcal-\d{8}\.log$)"));

QString OneLine(QString field)
{
    for (QChar& c : field) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return field;
}

QString OffsetText(int seconds)
{
    const QChar sign = seconds < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(sign)
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString CannotWriteLogText(const QString& path, int error)
{
    return QCoreApplication::translate("SessionLog", "Cannot write the session log %1: %2")
        .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error)));
}

// The whole line in one write(), or the reason it did not go.
int WriteLine(const QString& path, const QByteArray& line)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    ssize_t n = 0;
    do {
        n = ::write(fd, line.constData(), static_cast<std::size_t>(line.size()));
    } while (n < 0 && errno == EINTR);
    // A short write (a full disk) is a failure too; what did go stays as a torn last line.
    const int error = n < 0 ? errno : (n < line.size() ? ENOSPC : 0);
    ::close(fd);
    return error;
}

} // namespace

QString SessionResultText(const FileResult& result)
{
    return result.ok ? QString::fromLatin1(kSessionDoneText) : result.messageText;
}

QString SessionLogFolder(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("/log");
}

QString SessionLogFileName(const QDateTime& when)
{
    return QStringLiteral("qmcal-%1.log").arg(when.toString(QStringLiteral("yyyyMMdd")));
}

QByteArray SessionLogLine(const QDateTime& when, const SessionEntry& entry)
{
    const QString time = when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + OffsetText(when.offsetFromUtc());
    const QString line = QStringList{time, OneLine(entry.command), OneLine(entry.port), OneLine(entry.file),
                                     OneLine(entry.result)}
                             .join(QLatin1Char('\t'));
    return (line + QLatin1Char('\n')).toUtf8();
}

int PruneSessionLogs(const QString& folder, const QDateTime& now)
{
    const QString today = SessionLogFileName(now);
    const QDateTime oldest = now.addDays(-kSessionLogDays);
    int removed = 0;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::Hidden)) {
        const QString name = info.fileName();
        if (!kLogName.match(name).hasMatch() || name == today)
            continue;
        // A time after now means a wrong clock, then or now: such a file is never old.
        const QDateTime modified = info.lastModified();
        if (modified < oldest && QFile::remove(info.filePath()))
            ++removed;
    }
    return removed;
}

SessionLog::SessionLog(FailureSink onFailure) : m_onFailure(std::move(onFailure)) {}

void SessionLog::SetDataFolder(const QString& dataFolder)
{
    const QString folder = dataFolder.isEmpty() ? QString() : SessionLogFolder(dataFolder);
    {
        const std::lock_guard lock(m_mutex);
        m_folder = folder;
    }
    if (!folder.isEmpty())
        PruneSessionLogs(folder);
}

QString SessionLog::Folder() const
{
    const std::lock_guard lock(m_mutex);
    return m_folder;
}

void SessionLog::Append(const SessionEntry& entry, const QDateTime& when)
{
    const QString folder = Folder();
    // Without a home folder the data folder is empty; the log must not land in "/log".
    if (folder.isEmpty()) {
        Fail(QCoreApplication::translate("SessionLog", "No session log: no data folder to keep it in"));
        return;
    }
    const QString path = folder + QLatin1Char('/') + SessionLogFileName(when);
    // A folder that cannot be made shows as the open's failure.
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    if (const int error = WriteLine(path, SessionLogLine(when, entry)); error != 0)
        Fail(CannotWriteLogText(path, error));
}

void SessionLog::Fail(const QString& text)
{
    if (!m_failureSaid.exchange(true) && m_onFailure)
        m_onFailure(text);
}

} // namespace qmcal
