#include "data/FileResult.h"

#include <QCoreApplication>

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace qmcal {

QString SystemErrorText(const QFileDevice& file)
{
    if (file.error() == QFileDevice::NoError || file.errorString().isEmpty())
        return QCoreApplication::translate("FileResult", kNoErrorText);
    return file.errorString();
}

QString ReadOnlyText()
{
    return QCoreApplication::translate("FileResult", "the file is read-only");
}

QString NotRegularText()
{
    return QCoreApplication::translate("FileResult", "not a regular file");
}

namespace {

FileResult RefusedAs(const QString& text)
{
    return {false, text, true};
}

} // namespace

#ifdef Q_OS_UNIX

namespace {

constexpr int kMaxLinkHops = 40;       // as the kernel's own limit, so a loop ends in ELOOP
constexpr int kTemporaryNameTries = 16;

QString ErrnoText(int error)
{
    const char* text = std::strerror(error);
    if (error == 0 || text == nullptr || *text == '\0')
        return QCoreApplication::translate("FileResult", kNoErrorText);
    return QString::fromLocal8Bit(text);
}

FileResult Failed(int error)
{
    return {false, ErrnoText(error)};
}

// The name a path ends at once its symbolic links are followed. A link whose target does not
// exist yet gives the target's name, so that the link stays and the new file appears behind it.
QByteArray FollowLinks(QByteArray path)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer)
            return path;  // not a link: this is the file
        QByteArray target(buffer, static_cast<qsizetype>(n));
        if (!target.startsWith('/'))
            target.prepend(path.left(path.lastIndexOf('/') + 1));
        path = target;
    }
    return path;
}

// Writes every byte at the file's offset. A full disk or a size limit first shows as a short
// count; the next call then brings out the reason in errno.
bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// A pipe whose reader has gone must fail the write with EPIPE, not end the program. The
// signal goes to the writing thread, so holding it there and taking it back is enough.
class PipeSignalHold {
public:
    PipeSignalHold()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigemptyset(&pending);
        m_wasPending = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_saved);
    }
    ~PipeSignalHold()
    {
        if (!m_wasPending) {
            const timespec none{};
            while (sigtimedwait(&m_pipe, nullptr, &none) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_saved, nullptr);
    }
    PipeSignalHold(const PipeSignalHold&) = delete;
    PipeSignalHold& operator=(const PipeSignalHold&) = delete;

private:
    sigset_t m_pipe{};
    sigset_t m_saved{};
    bool m_wasPending = false;
};

bool InGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// By the mode bits alone, for root too: the kernel would let root write anything.
bool WritableByMode(const struct stat& st)
{
    const uid_t user = ::geteuid();
    if (user == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (st.st_uid == user)
        return (st.st_mode & S_IWUSR) != 0;
    if (InGroup(st.st_gid))
        return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

// After a rename the new name lives in the folder's own blocks: without this a power cut
// could leave neither the old file nor the new one. Some file systems cannot sync a folder;
// the file itself is on disk by then, so that is no failure.
void SyncFolder(const QByteArray& target)
{
    const QByteArray folder = target.left(std::max<qsizetype>(target.lastIndexOf('/'), 1));
    const int fd = ::open(target.contains('/') ? folder.constData() : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    static_cast<void>(::fsync(fd));
    ::close(fd);
}

bool Close(int fd)
{
    // Some file systems report a lost write only here.
    return ::close(fd) == 0 || errno == EINTR;
}

// Writes into the file itself, for what must stay as it is: a device, a pipe, a file with
// several names, or a file in a folder that takes no new file. Nothing is cut before the
// new bytes are in, so a failure leaves the file no shorter than it was.
FileResult WriteInPlace(const QByteArray& target, const QByteArray& bytes, bool regular)
{
    const PipeSignalHold hold;
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Failed(errno);
#ifdef FALLOC_FL_KEEP_SIZE
    // Room for the whole text first: a full disk then stops the write before it begins.
    if (regular && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0
        && (errno == ENOSPC || errno == EDQUOT)) {
        const int error = errno;
        ::close(fd);
        return Failed(error);
    }
#endif
    bool ok = WriteAll(fd, bytes);
    if (ok && regular)
        ok = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (!Close(fd) && ok)
        return Failed(errno);
    return ok ? FileResult{true, {}} : Failed(error);
}

struct Replacement {
    FileResult result;
    bool folderRefused = false;  // no temporary file, or no rename: the target is as it was
};

// A new file beside target, created with the permissions a new file gets here.
int CreateTemporary(const QByteArray& target, QByteArray& name)
{
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    for (int i = 0; i < kTemporaryNameTries; ++i) {
        name = folder + ".qmcal-" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The bytes go to a temporary file that takes the target's place once every byte is on disk,
// with the old file's permissions and, where the process may, its owner and group.
Replacement ReplaceViaTemporary(const QByteArray& target, const QByteArray& bytes, const struct stat* old)
{
    QByteArray temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0)
        return {Failed(errno), true};
    bool ok = WriteAll(fd, bytes);
    if (ok && old != nullptr) {
        // Owner first: a change of owner clears the set-id bits the mode then puts back. A
        // file system without owners or modes refuses both, and the bytes still count.
        if (::fchown(fd, old->st_uid, old->st_gid) != 0)
            static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), old->st_gid));
        static_cast<void>(::fchmod(fd, old->st_mode & 07777));
    }
    ok = ok && ::fsync(fd) == 0;
    int error = errno;
    if (!Close(fd) && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return {Failed(error), false};
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(temporary.constData());
        return {Failed(error), true};
    }
    SyncFolder(target);
    return {{true, {}}, false};
}

} // namespace

FileResult OpenRegularFile(QFile& file, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Checked before the open too: opening a serial device would already change its lines.
    if (::stat(name.constData(), &st) != 0)
        return Failed(errno);
    if (!S_ISREG(st.st_mode))
        return RefusedAs(NotRegularText());
    // Without waiting, and checked again on what was opened, in case the name changed hands.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Failed(errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return RefusedAs(NotRegularText());
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {false, SystemErrorText(file)};
    }
    return {true, {}};
}

FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = FollowLinks(QFile::encodeName(path));
    struct stat old {};
    if (::stat(target.constData(), &old) != 0) {
        // A loop of links, or a folder in the path that is not one, is said; never replaced.
        if (errno != ENOENT)
            return Failed(errno);
        return ReplaceViaTemporary(target, bytes, nullptr).result;
    }
    if (!WritableByMode(old))
        return RefusedAs(ReadOnlyText());
    // A replacement would turn a device or a pipe into a plain file, and would leave the
    // other names of a hard-linked file with the old bytes.
    const bool regular = S_ISREG(old.st_mode);
    if (!regular || old.st_nlink > 1)
        return WriteInPlace(target, bytes, regular);
    Replacement replaced = ReplaceViaTemporary(target, bytes, &old);
    if (replaced.folderRefused)
        return WriteInPlace(target, bytes, true);
    return replaced.result;
}

#else

FileResult OpenRegularFile(QFile& file, const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return RefusedAs(NotRegularText());
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, SystemErrorText(file)};
    return {true, {}};
}

FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    if (info.exists() && !(info.permissions() & (QFile::WriteOwner | QFile::WriteUser)))
        return RefusedAs(ReadOnlyText());
    QSaveFile file(path);
    // Unbuffered: QSaveFile does not see a write that fails while its buffer is flushed on
    // commit, and would put a cut-short file in the target's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, SystemErrorText(file)};
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

#endif

} // namespace qmcal
