#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "data/FileResult.h"

#include <atomic>
#include <functional>
#include <mutex>

// What was done to which radio and file, when, and how it ended: one line per outcome in
// <data folder>/log/qmcal-YYYYMMDD.log, kept for a year.

namespace qmcal {

// Logs younger than this (by modification time) stay.
inline constexpr int kSessionLogDays = 365;

struct SessionEntry {
    QString command;  // "Read", "Save As", "qmcal-cli read", ...
    QString port;     // empty when none is in use
    QString file;     // empty when the command has none
    QString result;   // the text the user was shown
};

// The result of a command that shows nothing when it succeeds.
inline constexpr char kSessionDoneText[] = "done";

// kSessionDoneText, or the text a failed file operation shows.
QString SessionResultText(const FileResult& result);

// dataFolder + "/log".
QString SessionLogFolder(const QString& dataFolder);

// "qmcal-YYYYMMDD.log" of the day of when (local time, as the program passes it).
QString SessionLogFileName(const QDateTime& when);

// when (local time) in ISO 8601 with its offset ("2026-12-07T18:02:03+01:00"), then command,
// port, file and result, separated by tabs, ending in a newline; UTF-8. A tab or line break
// inside a field becomes a space, so that one outcome is always one line.
QByteArray SessionLogLine(const QDateTime& when, const SessionEntry& entry);

// Removes from folder the logs last modified more than kSessionLogDays before now. Today's log
// and files named otherwise stay, and so does a log modified after now (the clock was wrong
// then or is now). Returns how many went.
int PruneSessionLogs(const QString& folder, const QDateTime& now = QDateTime::currentDateTime());

// The one log of a process. Append may be called from any thread: each line goes out with one
// write() on a descriptor opened with O_APPEND, so lines of several threads or processes never
// mix and a crash loses none that was appended. A log that cannot be written never stops the
// caller: the first failure of the run goes to the sink given, and later ones are dropped.
class SessionLog {
public:
    using FailureSink = std::function<void(const QString& text)>;

    explicit SessionLog(FailureSink onFailure = {});
    SessionLog(const SessionLog&) = delete;
    SessionLog& operator=(const SessionLog&) = delete;

    // Lines go to SessionLogFolder(dataFolder) from now on; also prunes it. Empty: there is no
    // data folder, and the first Append says so.
    void SetDataFolder(const QString& dataFolder);
    QString Folder() const;

    void Append(const SessionEntry& entry, const QDateTime& when = QDateTime::currentDateTime());

private:
    void Fail(const QString& text);

    mutable std::mutex m_mutex;  // guards m_folder, which start-up sets while others may append
    QString m_folder;
    FailureSink m_onFailure;
    std::atomic<bool> m_failureSaid{false};
};

} // namespace qmcal
