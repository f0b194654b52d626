#include "data/ParamFile.h"

#include "data/Layouts.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace qmcal {

namespace {

// Reads until count bytes have arrived or the file ends; returns how many arrived.
qint64 ReadUpTo(QFile& file, std::uint8_t* dst, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        const qint64 n = file.read(reinterpret_cast<char*>(dst + done), count - done);
        if (n <= 0)
            break;
        done += n;
    }
    return done;
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
    return QStringLiteral("文件不匹配");
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

bool NewImage(ParamImage& image, const QString& defaultPath)
{
    QFile file(defaultPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    ReadUpTo(file, image.IdBlock().data(), static_cast<qint64>(kIdBlockSize));
    ReadUpTo(file, image.ParamArea().data(), static_cast<qint64>(kParamAreaSize));
    image.ReferenceArea() = image.ParamArea();
    return true;
}

FileResult OpenImageFile(ParamImage& image, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, SystemErrorText(file)};
    // A short file leaves the rest of the block as it was.
    IdBlockBytes block = image.IdBlock();
    const qint64 got = ReadUpTo(file, block.data(), static_cast<qint64>(kIdBlockSize));
    // The identifier must come from the file itself, not from what the block held before.
    if (got < static_cast<qint64>(kIdCompareLength)
        || !std::equal(kIdHeader.begin(), kIdHeader.begin() + kIdCompareLength, block.begin()))
        return {false, WrongModelText()};
    image.IdBlock() = block;
    ReadUpTo(file, image.ParamArea().data(), static_cast<qint64>(kParamAreaSize));
    return {true, {}};
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
