#include "data/Layouts.h"

namespace qmcal {

// A record's fields must fit inside its stride.
constexpr bool FieldsFit(const BandLayout& layout)
{
    for (std::size_t i = 0; i < layout.fieldCount; ++i) {
        const RecordField& f = layout.fields[i];
        if (f.offset + f.width > layout.stride)
            return false;
    }
    return true;
}

static_assert(FieldsFit(kPowerLayout) && FieldsFit(kRxTuningLayout) && FieldsFit(kTxModLayout)
              && FieldsFit(kSignalModLayout) && FieldsFit(kRxTestLayout) && FieldsFit(kSqlLayout)
              && FieldsFit(kRssiLayout));

} // namespace qmcal
