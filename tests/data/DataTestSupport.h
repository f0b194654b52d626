#pragma once

#include "data/ParamImage.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <cstdint>
#include <memory>

#include <sys/resource.h>

namespace qmcal::test {

// The byte the golden files expect at each address (see golden/make_golden.py).
constexpr std::uint8_t Pattern(std::size_t address)
{
    return static_cast<std::uint8_t>((address * 37 + (address >> 8) * 11) & 0xFF);
}

inline void FillPattern(AreaBytes& area)
{
    for (std::size_t a = 0; a < area.size(); ++a)
        area[a] = Pattern(a);
}

inline std::unique_ptr<ParamImage> NewImageObject()
{
    return std::make_unique<ParamImage>();
}

inline QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray Golden(const char* name)
{
    return ReadFileBytes(QStringLiteral(QMCAL_TEST_DATA_DIR "/golden/") + QLatin1String(name));
}

template <std::size_t N>
QByteArray AsBytes(const std::array<std::uint8_t, N>& buf)
{
    return QByteArray(reinterpret_cast<const char*>(buf.data()), static_cast<qsizetype>(N));
}

// A parameter file as it lies on disk: IdBlock then ParamArea.
inline QByteArray FileBytes(const ParamImage& image)
{
    return AsBytes(image.IdBlock()) + AsBytes(image.ParamArea());
}

// Lowers the file-size limit for the life of the object, as a full disk would stop a write.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Ok() const { return m_ok; }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_ok = false;
};

} // namespace qmcal::test
