#pragma once

#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// Shared by the libFuzzer harnesses: a broken promise aborts, which the fuzzer reports with the
// input that led there.

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace qmcal::fuzz {

// One scratch folder for the whole run; the harnesses write their files there. In memory where
// there is a place for it: the file writers sync to disk, which would slow a run a hundredfold.
inline const QTemporaryDir& ScratchDir()
{
    static const QTemporaryDir dir(
        (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        + QStringLiteral("/qmcal-fuzz-XXXXXX"));
    FUZZ_CHECK(dir.isValid());
    return dir;
}

inline QString ScratchPath(const char* name)
{
    return ScratchDir().filePath(QString::fromLatin1(name));
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace qmcal::fuzz
