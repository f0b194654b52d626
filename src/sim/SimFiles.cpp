#include "sim/SimFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qmcal::sim {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // the kernel's own limit: a loop ends as ELOOP

std::string Reason(int error)
{
    return std::strerror(error);
}

std::string SizeText(const std::string& path, std::size_t size)
{
    return path + ": " + std::to_string(size) + " bytes, a parameter file has " + std::to_string(kParamFileSize);
}

// Closes the descriptor when it goes.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }
    // Some file systems report a lost write only at the close.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    int m_fd;
};

bool WriteEvery(int fd, const std::vector<char>& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n == 0)
            return (errno = EIO), false;  // a full disk shows as no progress first
        else if (errno != EINTR)
            return false;
    }
    return true;
}

// The name a path ends at once its links are followed; a link to a file not there yet gives
// that file's name.
bool FollowLinks(fs::path& path, std::string& error)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return true;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) {
            error = path.string() + ": " + ec.message();
            return false;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    error = path.string() + ": " + Reason(ELOOP);
    return false;
}

std::vector<char> FileBytes(const ParamFile& file)
{
    std::vector<char> bytes(kParamFileSize);
    std::copy(file.idBlock.begin(), file.idBlock.end(), bytes.begin());
    std::copy(file.memory.begin(), file.memory.end(), bytes.begin() + kIdBlockSize);
    return bytes;
}

} // namespace

std::optional<ParamFile> LoadParamFile(const std::string& path, std::string& error, std::string& warning)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = "cannot open " + path + ": " + Reason(errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + ": not a regular file";
        return std::nullopt;
    }
    // Without waiting, and checked again on what was opened, in case the name changed hands.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) {
        error = "cannot open " + path + ": " + Reason(errno);
        return std::nullopt;
    }
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = path + ": not a regular file";
        return std::nullopt;
    }
    std::vector<char> bytes(kParamFileSize + 1);  // one more tells a longer file
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.Get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = "cannot read " + path + ": " + Reason(errno);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got < kParamFileSize) {
        error = SizeText(path, got);
        return std::nullopt;
    }
    if (got > kParamFileSize)
        warning = SizeText(path, std::max(got, static_cast<std::size_t>(st.st_size))) + "; the rest was ignored";
    ParamFile file;
    std::copy_n(bytes.begin(), kIdBlockSize, file.idBlock.begin());
    std::copy_n(bytes.begin() + kIdBlockSize, file.memory.size(), file.memory.begin());
    return file;
}

bool SaveParamFile(const std::string& path, const ParamFile& file, std::string& error)
{
    const std::vector<char> bytes = FileBytes(file);
    fs::path target = path;
    if (!FollowLinks(target, error))
        return false;
    const std::string name = target.string();
    struct stat old {};
    const bool exists = ::stat(name.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        error = name + ": " + Reason(errno);
        return false;
    }

    // A device or a pipe stays what it is, and every name of a hard-linked file sees the bytes.
    if (exists && (!S_ISREG(old.st_mode) || old.st_nlink > 1)) {
        Fd fd(::open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
        bool ok = fd.Get() >= 0 && WriteEvery(fd.Get(), bytes)
            && (!S_ISREG(old.st_mode) || ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) == 0);
        int reason = errno;
        if (fd.Get() >= 0 && !fd.Close() && ok) {
            ok = false;
            reason = errno;
        }
        if (!ok)
            error = "cannot write " + name + ": " + Reason(reason);
        return ok;
    }

    const std::string temporary = name + ".qmcal-sim-" + std::to_string(::getpid());
    Fd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.Get() < 0) {
        error = "cannot write " + temporary + ": " + Reason(errno);
        return false;
    }
    bool ok = WriteEvery(fd.Get(), bytes);
    if (ok && exists)
        ok = ::fchmod(fd.Get(), old.st_mode & 07777) == 0 || errno == EPERM;
    ok = ok && ::fsync(fd.Get()) == 0;
    int reason = errno;
    if (!fd.Close() && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && ::rename(temporary.c_str(), name.c_str()) != 0) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = "cannot write " + name + ": " + Reason(reason);
        return false;
    }
    const Fd folder(::open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        static_cast<void>(::fsync(folder.Get()));
    return true;
}

} // namespace qmcal::sim
