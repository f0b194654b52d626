#include "data/RepairRanges.h"

#include "data/Layouts.h"
#include "data/LittleEndian.h"

namespace qmcal {

void RepairRanges(ParamImage& image)
{
    auto& area = image.ParamArea();
    const auto& reference = image.ReferenceArea();
    for (const BandLayout* layout : kRepairLayouts) {
        for (int slot = 0; slot < layout->SlotCount(); ++slot) {
            for (int row = 1; row <= layout->rowCount[slot]; ++row) {
                for (std::size_t f = 0; f < layout->fieldCount; ++f) {
                    const RecordField& field = layout->Field(f);
                    const std::uint16_t address = layout->FieldAddress(slot, row, field);
                    if (getField(area, address, field.width) > field.maximum)
                        putField(area, address, field.width,
                                 getField(reference, address, field.width));
                }
            }
        }
    }
}

} // namespace qmcal
