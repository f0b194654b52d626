// A parameter file from arbitrary bytes, loaded as New and Open do, repaired, exported and saved.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "FuzzSupport.h"
#include "data/LittleEndian.h"
#include "data/ExportText.h"
#include "data/FactoryImage.h"
#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/RepairRanges.h"

namespace qmcal::fuzz {
namespace {

constexpr std::uint8_t kFactoryDefault = 0x01;  // Default.dat is the factory image, not the input
constexpr std::uint8_t kAtCalibration = 0x02;   // the input lands on the calibration region

constexpr qsizetype kFileSize = static_cast<qsizetype>(kIdBlockSize + kParamAreaSize);

QByteArray ImageBytes(const ParamImage& image)
{
    QByteArray bytes(reinterpret_cast<const char*>(image.IdBlock().data()),
                     static_cast<qsizetype>(kIdBlockSize));
    bytes.append(reinterpret_cast<const char*>(image.ParamArea().data()),
                 static_cast<qsizetype>(kParamAreaSize));
    return bytes;
}

// Every repaired field is in range afterwards, or holds the reference area's value.
void CheckRepaired(const ParamImage& image)
{
    for (const BandLayout* layout : kRepairLayouts) {
        for (int slot = 0; slot < layout->SlotCount(); ++slot) {
            for (int row = 1; row <= layout->rowCount[slot]; ++row) {
                for (std::size_t f = 0; f < layout->fieldCount; ++f) {
                    const RecordField& field = layout->Field(f);
                    const std::uint16_t a = layout->FieldAddress(slot, row, field);
                    const unsigned value = getField(image.ParamArea(), a, field.width);
                    FUZZ_CHECK(value <= field.maximum
                               || value == getField(image.ReferenceArea(), a, field.width));
                }
            }
        }
    }
}

} // namespace
} // namespace qmcal::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qmcal;
    using namespace qmcal::fuzz;
    if (size < 1 || size > static_cast<std::size_t>(kFileSize))
        return 0;
    const std::uint8_t flags = data[0];
    const QByteArray input(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    // Either the bytes as a file of their own (short, foreign, truncated), or a whole file
    // with the bytes over the calibration region, where the repair and the export look.
    static const QByteArray kFactoryFile = [] {
        auto factory = std::make_unique<ParamImage>();
        FillFactoryImage(*factory);
        return ImageBytes(*factory);
    }();
    QByteArray file = input;
    if (flags & kAtCalibration) {
        file = kFactoryFile;
        const qsizetype at = static_cast<qsizetype>(kIdBlockSize) + 0xF400;
        file.replace(at, std::min<qsizetype>(input.size(), kFileSize - at), input.left(kFileSize - at));
    }
    const QString imagePath = ScratchPath("image.dat");
    WriteFile(imagePath, file);

    auto image = std::make_unique<ParamImage>();
    if (flags & kFactoryDefault) {
        static const QString kDefaultPath = [] {
            const QString path = ScratchPath("Default.dat");
            WriteFile(path, kFactoryFile);
            return path;
        }();
        FUZZ_CHECK(NewImage(*image, kDefaultPath).ok);
        FUZZ_CHECK(std::memcmp(image->ReferenceArea().data(), kFactoryFile.constData() + kIdBlockSize,
                               kParamAreaSize) == 0);
    } else {
        // Only a whole file loads; anything shorter leaves the image as it was.
        FUZZ_CHECK(NewImage(*image, imagePath).ok == (file.size() >= kFileSize));
    }
    RepairRanges(*image);
    CheckRepaired(*image);

    const AreaBytes beforeOpen = image->ParamArea();
    const IdBlockBytes idBeforeOpen = image->IdBlock();
    const FileResult opened = OpenImageFile(*image, imagePath);
    const bool identified = file.size() >= 8 && file.startsWith(QByteArray("QM6200P\xFF", 8));
    FUZZ_CHECK(opened.ok == (identified && file.size() >= kFileSize));
    if (!opened.ok) {
        FUZZ_CHECK(image->ParamArea() == beforeOpen);
        FUZZ_CHECK(image->IdBlock() == idBeforeOpen);
        FUZZ_CHECK(!opened.messageText.isEmpty());
    }
    RepairRanges(*image);
    CheckRepaired(*image);
    const AreaBytes repaired = image->ParamArea();
    RepairRanges(*image);
    FUZZ_CHECK(image->ParamArea() == repaired);  // a second pass changes nothing

    // The export's shape does not depend on the values: every value is written in four
    // characters.
    static const QByteArray kZeroExport = ExportBytes(AreaBytes{});
    const QString exportPath = ScratchPath("export.txt");
    FUZZ_CHECK(ExportText(*image, exportPath).ok);
    const QByteArray exported = ReadFile(exportPath);
    FUZZ_CHECK(exported == ExportBytes(image->ParamArea()));
    FUZZ_CHECK(exported.size() == kZeroExport.size());

    // Save As and Open give the same image back.
    const QString savedPath = ScratchPath("saved.dat");
    FUZZ_CHECK(SaveImageFileAs(*image, savedPath).ok);
    FUZZ_CHECK(ReadFile(savedPath).size() == kFileSize);
    auto reopened = std::make_unique<ParamImage>();
    FUZZ_CHECK(OpenImageFile(*reopened, savedPath).ok);
    FUZZ_CHECK(reopened->ParamArea() == image->ParamArea());
    FUZZ_CHECK(reopened->IdBlock() == image->IdBlock());
    return 0;
}
