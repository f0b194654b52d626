#include "data/ParamFile.h"

#include <QCoreApplication>

#include "data/Layouts.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace qmcal {

namespace {

constexpr qint64 kParamFileSize = static_cast<qint64>(kIdBlockSize + kParamAreaSize);

QString SizeText(qint64 size)
{
    return QCoreApplication::translate("ParamFile", "%1 bytes, a parameter file has %2").arg(size).arg(kParamFileSize);
}

// The one loader behind New, Open and every command: a file is whole or not loaded at all,
// so that no image is ever part one unit's and part another's. Checks, in this order: for Open
// an empty file and the identifier, then a short file. A longer file gives its first bytes and
// a note. On success bytes holds exactly one file's worth.
FileResult ReadWholeFile(const QString& path, bool checkIdentifier, QByteArray& bytes)
{
    QFile file;
    if (FileResult opened = OpenRegularFile(file, path); !opened.ok)
        return opened;
    bytes.resize(kParamFileSize + 1);  // one more tells a longer file
    qint64 got = 0;
    while (got < bytes.size()) {
        const qint64 n = file.read(bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return {false, SystemErrorText(file)};
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    const auto refused = [](const QString& text) { return FileResult{false, text, true}; };
    if (checkIdentifier) {
        if (got == 0)
            return refused(WrongModelText() + QCoreApplication::translate("ParamFile", " (the file is empty)"));
        if (got < static_cast<qint64>(kIdCompareLength)
            || !std::equal(kIdHeader.begin(), kIdHeader.begin() + kIdCompareLength, bytes.constData(),
                           [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }))
            return {false, WrongModelText(), true, QCoreApplication::translate("ParamFile", "not a QM6200 parameter file")};
    }
    if (got < kParamFileSize)
        return refused(SizeText(got));
    if (got > kParamFileSize) {
        bytes.truncate(kParamFileSize);
        return {true, SizeText(std::max(file.size(), got)) + QCoreApplication::translate("ParamFile", "; the rest was ignored")};
    }
    return {true, {}};
}

void TakeFileBytes(ParamImage& image, const QByteArray& bytes)
{
    const auto* from = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    std::copy_n(from, kIdBlockSize, image.IdBlock().begin());
    std::copy_n(from + kIdBlockSize, kParamAreaSize, image.ParamArea().begin());
}

FileResult WriteImage(ParamImage& image, const QString& path, bool stamp)
{
    ClearBeforeSave(image);
    IdBlockBytes block = image.IdBlock();
    if (stamp)
        std::copy(kIdHeader.begin(), kIdHeader.end(), block.begin());
    const auto& area = image.ParamArea();
    QByteArray bytes(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
    bytes.append(reinterpret_cast<const char*>(area.data()), static_cast<qsizetype>(area.size()));
    FileResult result = WriteFileAtomically(path, bytes);
    if (result.ok)
        image.IdBlock() = block;
    return result;
}

} // namespace

QString WrongModelText()
{
    return QCoreApplication::translate("ParamFile", "文件不匹配");
}

QString DefaultFilePath(const QString& exeFolder)
{
    return exeFolder + QStringLiteral("Default.dat");
}

QString FindDefaultFile(const QString& exeFolder)
{
    const QString beside = DefaultFilePath(exeFolder);
    if (QFileInfo(beside).isFile())
        return beside;
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("qmcal/Default.dat"));
}

void ClearBeforeSave(ParamImage& image)
{
    auto& area = image.ParamArea();
    std::fill_n(area.begin() + kClearedStart, kClearedLength, std::uint8_t{0});
}

FileResult NewImage(ParamImage& image, const QString& defaultPath)
{
    QByteArray bytes;
    FileResult result = ReadWholeFile(defaultPath, false, bytes);
    if (!result.ok)
        return result;
    TakeFileBytes(image, bytes);
    image.ReferenceArea() = image.ParamArea();
    return result;
}

FileResult OpenImageFile(ParamImage& image, const QString& path)
{
    QByteArray bytes;
    FileResult result = ReadWholeFile(path, true, bytes);
    if (result.ok)
        TakeFileBytes(image, bytes);
    return result;
}

FileResult SaveImageFile(ParamImage& image, const QString& path)
{
    return WriteImage(image, path, false);
}

FileResult SaveImageFileAs(ParamImage& image, const QString& path)
{
    return WriteImage(image, path, true);
}

} // namespace qmcal
