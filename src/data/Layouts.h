#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Every constant table that places a calibration point or value in the ParamImage.
// Laid out as a reader would check them against the radio's memory map.

namespace qmcal {

constexpr int kMaxSlots = 11;

// Frequencies here are plain integers in 10 Hz units (not the BCD of a FreqWord).
struct SlotList {
    int count;
    std::array<const char*, kMaxSlots> names;
    std::array<std::uint32_t, kMaxSlots> freqLow;
    std::array<std::uint32_t, kMaxSlots> freqHigh;
};

// "850M" runs from 75 MHz, as the radio has it, not from 750 MHz.
inline constexpr SlotList kNineSlots{
    9,
    {"30M", "50M", "66M", "AM", "150M", "250M", "350M", "450M", "850M", nullptr, nullptr},
    {2000000, 4700000, 6600000, 10800000, 13400000, 22000000, 32000000, 40000000, 7500000, 0, 0},
    {3300000, 5400000, 8800000, 13399500, 18000000, 26000000, 39999500, 51200000, 95000000, 0, 0},
};

inline constexpr SlotList kElevenSlots{
    11,
    {"30M", "50M", "66M", "AM", "150M L", "150M R", "250M", "350M", "450M L", "450M R", "850M"},
    {2000000, 4700000, 6600000, 10800000, 13400000, 13400000, 22000000, 32000000, 40000000,
     40000000, 7500000},
    {3300000, 5400000, 8800000, 13399500, 18000000, 18000000, 26000000, 39999500, 51200000,
     51200000, 95000000},
};

// The two "R" halves of the split bands in the 11-slot list.
constexpr int kSlot150MR = 5;
constexpr int kSlot450MR = 9;

constexpr int kNoSubCode = -1;

// One value of a calibration record. The offset is relative to the record's start as the
// layout's ValueBase addresses it.
struct RecordField {
    const char* caption;
    std::uint16_t offset;
    int width;              // bytes: 1 or 2, unsigned, little-endian
    std::uint16_t maximum;  // top of the column's range
    int subCode;            // SetParam sub-code that sends the field alone, or kNoSubCode
};

struct BandLayout {
    const char* page;
    std::uint8_t commandCode;
    const SlotList* slots;
    std::array<std::uint8_t, kMaxSlots> rowCount;
    std::array<std::uint16_t, kMaxSlots> freqBase;   // IdBlock offsets of each slot's first FreqWord
    std::array<std::uint16_t, kMaxSlots> valueBase;  // ParamArea addresses of each slot's first record
    std::uint16_t stride;
    const RecordField* fields;
    std::size_t fieldCount;

    constexpr int SlotCount() const { return slots->count; }
    constexpr const RecordField& Field(std::size_t i) const { return fields[i]; }

    // IdBlock offset of the FreqWord of point row (1-based) in slot.
    constexpr std::uint16_t FreqOffset(int slot, int row) const
    {
        return static_cast<std::uint16_t>(freqBase[slot] + 4 * (row - 1));
    }
    // ParamArea address of a field of point row (1-based) in slot, modulo 65536.
    constexpr std::uint16_t FieldAddress(int slot, int row, const RecordField& field) const
    {
        return static_cast<std::uint16_t>(valueBase[slot] + stride * (row - 1) + field.offset);
    }
};

// Command codes of the pages.
constexpr std::uint8_t kCodeTxMod = 0x20;
constexpr std::uint8_t kCodeAnalogRx = 0x30;
constexpr std::uint8_t kCodePower = 0x40;
constexpr std::uint8_t kCodeRxTuning = 0x41;
constexpr std::uint8_t kCodeSqlRssi = 0x42;
constexpr std::uint8_t kCodeStore = 0xFF;

// ---- record fields -------------------------------------------------------------------

inline constexpr std::array<RecordField, 4> kPowerFields{{
    {"Low", 0, 1, 0xFF, 0x22},
    {"Mid 2", 1, 1, 0xFF, 0x22},
    {"Mid 1", 2, 1, 0xFF, 0x22},
    {"High", 3, 1, 0xFF, 0x22},
}};

inline constexpr std::array<RecordField, 1> kRxTuningFields{{
    {"Adjust", 0, 2, 0x3FF, 0x20},
}};

// The two gain bytes are indexes into the page's gain lists.
inline constexpr std::array<RecordField, 5> kTxModFields{{
    {"MIC Gain db", 0, 1, 7, 0x10},
    {"MOD Gain db", 1, 1, 7, 0x13},
    {"MIC Fine", 2, 2, 0x2A73, 0x11},
    {"MOD Fine", 4, 2, 0x2A73, 0x14},
    {"Limit Ctrl", 6, 2, 0x3FFF, 0x12},
}};

// Signal Mod owns bytes 0..12 of the shared 16-byte record; byte 13 belongs to no field.
inline constexpr std::array<RecordField, 7> kSignalModFields{{
    {"67.0", 0, 2, 0x3FFF, 0x15},
    {"91.5", 2, 2, 0x3FFF, 0x15},
    {"154.1", 4, 2, 0x3FFF, 0x15},
    {"192.8", 6, 2, 0x3FFF, 0x15},
    {"254.1", 8, 2, 0x3FFF, 0x15},
    {"023N", 10, 2, 0x3FFF, 0x16},
    {"MEV", 12, 1, 0xFF, 0x19},
}};

// Tone Mod's ValueBase already points at byte 14 of the shared record, so its fields sit at
// +0 (record byte 14) and +1 (record byte 15).
inline constexpr std::array<RecordField, 2> kToneModFields{{
    {"DTMF", 0, 1, 0xFF, 0x17},
    {"1750", 1, 1, 0xFF, 0x18},
}};

// Bytes 6 and 7 of an Rx Test record belong to no field.
inline constexpr std::array<RecordField, 4> kRxTestFields{{
    {"DISC Gain db", 0, 1, 7, 0x10},
    {"AUDIO Gain db", 1, 1, 7, 0x12},
    {"DISC FIne", 2, 2, 0x2A73, 0x11},
    {"AUDIO Fine", 4, 2, 0x2A73, 0x13},
}};

inline constexpr std::array<RecordField, 4> kSqlFields{{
    {"W SQL1", 0, 2, 0x3FFF, kNoSubCode},
    {"W SQL9", 2, 2, 0x3FFF, kNoSubCode},
    {"N SQL1", 4, 2, 0x3FFF, kNoSubCode},
    {"N SQL9", 6, 2, 0x3FFF, kNoSubCode},
}};

inline constexpr std::array<RecordField, 2> kRssiFields{{
    {"RSSI1", 0, 2, 0x3FFF, kNoSubCode},
    {"RSSI9", 2, 2, 0x3FFF, kNoSubCode},
}};

// ---- band layouts ----------------------------------------------------------------------
//                                      slot:   0       1       2       3       4       5       6       7       8       9       10

inline constexpr BandLayout kPowerLayout{
    "Power", kCodePower, &kNineSlots,
    {14, 8, 23, 0, 21, 21, 26, 41, 0},
    {0x0D00, 0x0D38, 0x0D58, 0, 0x0DB4, 0x0E08, 0x0E5C, 0x0EC4, 0},
    {0xF400, 0xF438, 0xF458, 0, 0xF4B4, 0xF508, 0xF55C, 0xF5C4, 0},
    4, kPowerFields.data(), kPowerFields.size()};

// The page shows no points for 30M, 50M and 66M, but the frequency table reserves space for
// them (kRxTuningFreqTableCounts), and ValueBase is a fixed table, not a running sum.
inline constexpr BandLayout kRxTuningLayout{
    "Rx Tuning", kCodeRxTuning, &kElevenSlots,
    {0, 0, 0, 3, 6, 6, 5, 9, 13, 13, 0},
    {0x0200, 0x0208, 0x0210, 0x021C, 0x0228, 0x0240, 0x0258, 0x026C, 0x0290, 0x02C4, 0x02F8},
    {0xF700, 0xF704, 0xF708, 0xF726, 0xF710, 0xFC24, 0xF71C, 0xF730, 0xF742, 0xFC30, 0},
    2, kRxTuningFields.data(), kRxTuningFields.size()};

inline constexpr std::array<std::uint8_t, kMaxSlots> kRxTuningFreqTableCounts{
    2, 2, 3, 3, 6, 6, 5, 9, 13, 13, 0};

inline constexpr BandLayout kTxModLayout{
    "Tx Mod", kCodeTxMod, &kNineSlots,
    {3, 3, 3, 0, 6, 5, 6, 9, 0},
    {0x0300, 0x030C, 0x0318, 0, 0x0324, 0x033C, 0x0350, 0x0368, 0},
    {0xF800, 0xF818, 0xF830, 0, 0xF848, 0xF878, 0xF8A0, 0xF8D0, 0},
    8, kTxModFields.data(), kTxModFields.size()};

inline constexpr BandLayout kSignalModLayout{
    "Signal Mod", kCodeTxMod, &kNineSlots,
    {3, 3, 3, 0, 6, 5, 6, 9, 0},
    {0x0400, 0x040C, 0x0418, 0, 0x0424, 0x043C, 0x0450, 0x0468, 0},
    {0xF918, 0xF948, 0xF978, 0, 0xF9A8, 0xFA08, 0xFA58, 0xFAB8, 0},
    16, kSignalModFields.data(), kSignalModFields.size()};

// Same records as Signal Mod, addressed from byte 14.
inline constexpr BandLayout kToneModLayout{
    "Tone Mod", kCodeTxMod, &kNineSlots,
    {3, 3, 3, 0, 6, 5, 6, 9, 0},
    {0x0500, 0x050C, 0x0518, 0, 0x0524, 0x053C, 0x0550, 0x0568, 0},
    {0xF926, 0xF956, 0xF986, 0, 0xF9B6, 0xFA16, 0xFA66, 0xFAC6, 0},
    16, kToneModFields.data(), kToneModFields.size()};

inline constexpr BandLayout kRxTestLayout{
    "Rx Test", kCodeAnalogRx, &kNineSlots,
    {1, 1, 1, 1, 1, 1, 1, 1, 1},
    {0x0600, 0x0604, 0x0608, 0x060C, 0x0610, 0x0614, 0x0618, 0x061C, 0x0620},
    {0xF760, 0xF768, 0xF770, 0xF778, 0xF780, 0xF788, 0xF790, 0xF798, 0xF7A0},
    8, kRxTestFields.data(), kRxTestFields.size()};

// The "R" slots (5 and 9) of the 11-slot layouts lie in a separate area after the main one.
inline constexpr BandLayout kSqlLayout{
    "SQL", kCodeSqlRssi, &kElevenSlots,
    {1, 1, 2, 2, 3, 3, 3, 3, 5, 5, 3},
    {0x0700, 0x0704, 0x0708, 0x0710, 0x0718, 0x0724, 0x0730, 0x073C, 0x0748, 0x075C, 0x0770},
    {0xFB48, 0xFB50, 0xFB58, 0xFB68, 0xFB78, 0xFC50, 0xFB90, 0xFBA8, 0xFBC0, 0xFC68, 0xFBE8},
    8, kSqlFields.data(), kSqlFields.size()};

inline constexpr BandLayout kRssiLayout{
    "RSSI", kCodeSqlRssi, &kElevenSlots,
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {0x0800, 0x0804, 0x0808, 0x080C, 0x0810, 0x0814, 0x0818, 0x081C, 0x0820, 0x0824, 0x0828},
    {0xFC00, 0xFC04, 0xFC08, 0xFC0C, 0xFC10, 0xFCA0, 0xFC14, 0xFC18, 0xFC1C, 0xFCA4, 0xFC20},
    4, kRssiFields.data(), kRssiFields.size()};

// The eight pages in MainDialog's slot order.
inline constexpr std::array<const BandLayout*, 8> kPageLayouts{
    &kPowerLayout, &kRxTuningLayout, &kTxModLayout, &kSignalModLayout,
    &kToneModLayout, &kRxTestLayout, &kSqlLayout, &kRssiLayout};

// ---- range repair: layouts in the order they are repaired -----------------------------
// Signal Mod's MEV byte (maximum 0xFF) can never exceed its range, so bytes 12..15 of the
// shared record stay untouched; Power is not repaired at all.
inline constexpr std::array<const BandLayout*, 6> kRepairLayouts{
    &kRxTuningLayout, &kTxModLayout, &kSignalModLayout, &kRxTestLayout, &kSqlLayout, &kRssiLayout};

// ---- Sql Fine bytes --------------------------------------------------------------------

constexpr int kSqlFineRows = 11;
inline constexpr std::array<const char*, kSqlFineRows> kSqlFineRowNames{
    "30M", "50M", "66M", "AM", "150M", "250M", "350M", "450M", "850M", "150M R", "450M R"};
constexpr std::uint16_t kSqlFineBase = 0xF7E0;
constexpr std::int8_t kSqlFineMin = -64;
constexpr std::int8_t kSqlFineMax = 63;

// row 1..11, column 1 ("W SQL") or 2 ("N SQL").
constexpr std::uint16_t SqlFineAddress(int row, int column)
{
    return static_cast<std::uint16_t>(kSqlFineBase + (row - 1) + kSqlFineRows * (column - 1));
}

// ---- regions of the ParamArea -----------------------------------------------------------

constexpr std::uint16_t kCalibrationStart = 0xF400;
constexpr std::uint16_t kCalibrationEnd = 0xFCF0;   // exclusive
constexpr std::uint16_t kSqlFineAreaStart = 0xF7E0;
constexpr std::uint16_t kSqlFineAreaEnd = 0xF800;   // exclusive
constexpr std::uint16_t kClearedStart = 0xFCB0;     // zeroed before every Save, Save As, Export, Write
constexpr std::size_t kClearedLength = 80;

// ---- text export ranges, in file order --------------------------------------------------

struct ExportRange {
    const char* label;   // with its trailing blank
    std::uint16_t start;
    std::uint16_t end;   // exclusive
};

inline constexpr std::array<ExportRange, 10> kExportRanges{{
    {"Tx Power = ", 0xF400, 0xF668},
    {"Rx Tuning = ", 0xF700, 0xF760},
    {"Tx Mod = ", 0xF800, 0xF910},
    {"Tone = ", 0xF918, 0xFB38},
    {"Rx Test = ", 0xF760, 0xF7A8},
    {"SQL = ", 0xFB48, 0xFC00},
    {"RSSI = ", 0xFC00, 0xFC24},
    {"Rx Tuning Right = ", 0xFC24, 0xFC4A},
    {"SQL Right = ", 0xFC50, 0xFCA0},
    {"RSSI Right = ", 0xFCA0, 0xFCA8},
}};

// ---- model identifier --------------------------------------------------------------------

constexpr std::size_t kIdCompareLength = 8;
inline constexpr std::array<std::uint8_t, 16> kIdHeader{
    'Q', 'M', '6', '2', '0', '0', 'P', 0xFF, 0x56, 0x02, 0x00, 0x07, 0xFF, 0xFF, 0xFF, 0xFF};

} // namespace qmcal
