#include "DataTestSupport.h"

#include "data/FileResult.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qmcal {
namespace {

using namespace test;

constexpr uid_t kOtherUser = 4321;
constexpr gid_t kOtherGroup = 4322;
constexpr uid_t kNobody = 65534;
constexpr int kPipeWaitMs = 5000;

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray Text(char fill, qsizetype size)
{
    return QByteArray(size, fill);
}

struct stat LinkStat(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A folder with the thing to write to; Path() is the name the writer is given.
class Target {
public:
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QByteArray Local(const char* name) const { return QFile::encodeName(Path(name)); }

    // Reads a pipe on a thread of its own, as another program would; leaveAtOnce closes it
    // as soon as the first bytes are there. Gives up when no writer comes.
    void ReadPipe(const char* name, bool leaveAtOnce)
    {
        m_reader = std::thread([this, path = Local(name), leaveAtOnce] {
            const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                return;
            pollfd ready{fd, POLLIN, 0};
            char buffer[4096];
            while (::poll(&ready, 1, kPipeWaitMs) > 0 && !leaveAtOnce) {
                const ssize_t n = ::read(fd, buffer, sizeof buffer);
                if (n > 0)
                    m_received.append(buffer, n);
                else if (n == 0 || errno != EAGAIN)
                    break;
            }
            ::close(fd);
        });
    }
    QByteArray Received()
    {
        if (m_reader.joinable())
            m_reader.join();
        return m_received;
    }
    ~Target() { Received(); }

private:
    QTemporaryDir m_dir;
    std::thread m_reader;
    QByteArray m_received;
};

// The old content is longer than the new one, so a write that forgets to cut shows.
const QByteArray kOld = Text('o', 300000);
const QByteArray kNew = Text('n', 69632);

struct WriteCase {
    const char* name;
    const char* written;  // the name the writer is given
    void (*prepare)(Target&);
    bool ok;
    int error;  // errno whose text a failure carries
    void (*check)(Target&);
    bool readOnly = false;  // refused with the program's own text instead
};

const WriteCase kWriteCases[] = {
    {"new file", "a", [](Target&) {}, true, 0,
     [](Target& t) {
         EXPECT_EQ(ReadFileBytes(t.Path("a")), kNew);
         EXPECT_EQ(LinkStat(t.Path("a")).st_mode & 07777, NewFileMode());
     }},
    {"mode, owner and group kept", "a",
     [](Target& t) {
         ASSERT_TRUE(WriteFileBytes(t.Path("a"), kOld));
         ASSERT_EQ(::chmod(t.Local("a").constData(), 0640), 0);
         if (::geteuid() == 0) {
             ASSERT_EQ(::chown(t.Local("a").constData(), kOtherUser, kOtherGroup), 0);
         }
     },
     true, 0,
     [](Target& t) {
         EXPECT_EQ(ReadFileBytes(t.Path("a")), kNew);
         const struct stat st = LinkStat(t.Path("a"));
         EXPECT_EQ(st.st_mode & 07777, 0640u);
         if (::geteuid() == 0) {
             EXPECT_EQ(st.st_uid, kOtherUser);
             EXPECT_EQ(st.st_gid, kOtherGroup);
         }
     }},
    {"hard link: both names see the new bytes", "a",
     [](Target& t) {
         ASSERT_TRUE(WriteFileBytes(t.Path("a"), kOld));
         ASSERT_EQ(::link(t.Local("a").constData(), t.Local("b").constData()), 0);
     },
     true, 0,
     [](Target& t) {
         EXPECT_EQ(ReadFileBytes(t.Path("a")), kNew);
         EXPECT_EQ(ReadFileBytes(t.Path("b")), kNew);
         EXPECT_EQ(LinkStat(t.Path("b")).st_nlink, 2u);
     }},
    {"symbolic link stays, its target gets the bytes", "link",
     [](Target& t) {
         ASSERT_TRUE(WriteFileBytes(t.Path("real"), kOld));
         ASSERT_EQ(::symlink("real", t.Local("link").constData()), 0);
     },
     true, 0,
     [](Target& t) {
         EXPECT_TRUE(S_ISLNK(LinkStat(t.Path("link")).st_mode));
         EXPECT_EQ(ReadFileBytes(t.Path("real")), kNew);
     }},
    {"symbolic link to a file not there yet", "link",
     [](Target& t) { ASSERT_EQ(::symlink("later", t.Local("link").constData()), 0); }, true, 0,
     [](Target& t) {
         EXPECT_TRUE(S_ISLNK(LinkStat(t.Path("link")).st_mode));
         EXPECT_EQ(ReadFileBytes(t.Path("later")), kNew);
     }},
    {"pipe", "fifo",
     [](Target& t) {
         ASSERT_EQ(::mkfifo(t.Local("fifo").constData(), 0600), 0);
         t.ReadPipe("fifo", false);
     },
     true, 0,
     [](Target& t) {
         EXPECT_EQ(t.Received(), kNew);
         EXPECT_TRUE(S_ISFIFO(LinkStat(t.Path("fifo")).st_mode));
     }},
    // More than a pipe holds, so the write meets the closed end whatever the timing.
    {"pipe whose reader leaves", "fifo",
     [](Target& t) {
         ASSERT_EQ(::mkfifo(t.Local("fifo").constData(), 0600), 0);
         t.ReadPipe("fifo", true);
     },
     false, EPIPE, [](Target& t) { EXPECT_TRUE(S_ISFIFO(LinkStat(t.Path("fifo")).st_mode)); }},
    // Write-protecting a file means it, also to root, whom the system would let write it.
    {"read-only file, also behind a link", "link",
     [](Target& t) {
         ASSERT_TRUE(WriteFileBytes(t.Path("a"), kOld));
         ASSERT_EQ(::chmod(t.Local("a").constData(), 0444), 0);
         ASSERT_EQ(::symlink("a", t.Local("link").constData()), 0);
     },
     false, 0,
     [](Target& t) {
         EXPECT_EQ(ReadFileBytes(t.Path("a")), kOld);
         EXPECT_EQ(LinkStat(t.Path("a")).st_mode & 07777, 0444u);
         EXPECT_EQ(QDir(t.Path("")).entryList(QDir::Files | QDir::Hidden).size(), 2);
     },
     true},
    {"symbolic link loop", "loop",
     [](Target& t) { ASSERT_EQ(::symlink("loop", t.Local("loop").constData()), 0); }, false, ELOOP,
     [](Target& t) { EXPECT_TRUE(S_ISLNK(LinkStat(t.Path("loop")).st_mode)); }},
};

TEST(FileWrite, EachKindOfTargetGetsTheBytesAndStaysWhatItIs)
{
    for (const WriteCase& c : kWriteCases) {
        SCOPED_TRACE(c.name);
        Target target;
        c.prepare(target);
        const QByteArray bytes = c.ok ? kNew : Text('n', 1 << 20);
        const FileResult r = WriteFileAtomically(target.Path(c.written), bytes);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.messageText, c.ok ? QString() : c.readOnly ? QStringLiteral("the file is read-only") : ErrnoText(c.error));
        EXPECT_EQ(r.refused, c.readOnly);
        c.check(target);
        target.Received();
    }
}

// Runs the writer as a user who may write the file but not its folder. Root may write any
// folder, so as root the writer runs in a child that has given up root first.
int WriteAsOtherUser(const QString& path, const QByteArray& bytes, QString& message)
{
    if (::geteuid() != 0) {
        const FileResult r = WriteFileAtomically(path, bytes);
        message = r.messageText;
        return r.ok ? 0 : 1;
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        const FileResult r = WriteFileAtomically(path, bytes);
        const QByteArray text = r.messageText.toUtf8();
        const bool told = ::write(pipeFds[1], text.constData(), static_cast<std::size_t>(text.size())) == text.size();
        ::_exit(r.ok ? 0 : (told ? 1 : 4));
    }
    ::close(pipeFds[1]);
    char buffer[256];
    ssize_t n = 0;
    QByteArray text;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    message = QString::fromUtf8(text);
    return WEXITSTATUS(status);
}

TEST(FileWrite, AFolderThatTakesNoNewFileIsWrittenInPlace)
{
    const struct {
        const char* name;
        mode_t fileMode;
        int status;
        QString message;
        QByteArray after;
    } cases[] = {
        {"writable file", 0666, 0, {}, kNew},
        {"read-only file", 0444, 1, QStringLiteral("the file is read-only"), kOld},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        ASSERT_TRUE(WriteFileBytes(path, kOld));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.fileMode), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
        QString message;
        const int status = WriteAsOtherUser(path, kNew, message);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(ReadFileBytes(path), c.after);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.dat")});
    }
}

} // namespace
} // namespace qmcal
