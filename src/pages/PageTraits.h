#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "data/Layouts.h"

// What a calibration page declares about itself. A page is mostly one constexpr PageTraits: its
// template, its layout, its columns and editors with their ranges and commit variants, and a
// few switches. CalPage does the rest.

namespace qmcal {

// A view of a constexpr array, so that traits of different sizes share one type.
template <typename T>
struct Table {
    const T* items = nullptr;
    std::size_t count = 0;

    constexpr Table() = default;
    template <std::size_t N>
    constexpr Table(const std::array<T, N>& array) : items(array.data()), count(N) {}

    constexpr std::size_t size() const { return count; }
    constexpr const T* begin() const { return items; }
    constexpr const T* end() const { return items + count; }
    constexpr const T& operator[](std::size_t i) const { return items[i]; }
};

// Control ids that every page shares.
constexpr int kIdBandTabs = 1064;
constexpr int kIdGrid = 1172;
constexpr int kIdFrequencyEditor = 1121;
constexpr int kIdStoreAll = 1022;
constexpr int kIdStoreCurrent = 1023;
constexpr int kIdPttStart = 1026;
constexpr int kIdPttEnd = 1061;
constexpr int kIdTest = 1010;
constexpr int kIdEnd = 1011;

// Characters an editor lets through (Ctrl+C, Ctrl+V, Ctrl+X and pasting always pass).
enum class CharFilter {
    None,
    Hex,        // hexadecimal digits and backspace
    Frequency,  // "1234567890.\b"
};

// How a value editor reads and writes its text.
enum class ValueText {
    Hex,            // "%X"
    SignedDecimal,  // "%d"
};

// What a commit run with close = false (from CommitEditors, i.e. every SaveGrid) does to its
// editor. With close = true an editor always closes.
struct StayOpen {
    bool hide = false;    // closes anyway
    bool select = false;  // selects all its text
    bool focus = false;   // takes the keyboard focus
};

// Stays open with its text selected, for the next value to be typed over it.
constexpr StayOpen kSelectInPlace{false, true, false};

struct FrequencyEditorTraits {
    bool writeBack = true;  // the normalised text goes back into the editor as well
    StayOpen stay;
};

struct ValueEditorTraits {
    int id = 0;
    int upDownId = 0;
    int textLimit = 0;
    int spinLow = 0;  // the up-down's range: where SpinStep wraps
    int spinHigh = 0;
    int minimum = 0;  // what the commit accepts; anything else becomes the fallback
    int maximum = 0;
    int fallback = 0;
    bool fallbackIntoEditor = false;  // an out-of-range number is also replaced in the editor
    ValueText text = ValueText::Hex;
    CharFilter filter = CharFilter::Hex;
    StayOpen stay;
    bool escapeLeaves = true;  // Escape moves the focus to the grid
};

// The gain steps of the transmit and receive audio paths, in dB. A field stores the index of its
// item.
constexpr std::array<const char*, 8> kGainSteps{"0", "3.2", "6.4", "9.6", "12.8", "16.0", "19.2", "22.4"};
constexpr std::array<const char*, 8> kAttenuationSteps{"mute", "-19.2", "-16.0", "-12.8", "-9.6", "-6.4", "-3.2", "0"};

struct ListEditorTraits {
    int id = 0;
    Table<const char*> items;  // in index order: a field stores the index of its item
    StayOpen stay;
};

// A band-independent setting: bytes of the IdBlock that SetGlobal sends with the page's code.
struct GlobalSetting {
    int subCode = kNoSubCode;  // kNoSubCode: there is nothing to send
    int width = 0;
    std::uint16_t offset = 0;  // IdBlock offset
};

// Column c > 0 shows field c - 1 of the page's layout; column 0 is the frequency.
struct ColumnTraits {
    const char* caption = "";
    int widthTwips = 1000;
    int editorId = 0;      // kIdFrequencyEditor, a value editor's id or a list editor's id
    bool marked = false;   // a stored value above the field's maximum shows "0*"
    GlobalSetting captionSend{};  // Enter on the caption cell, where row 0 can be current (fixedRows 0)
};

// An always visible edit beside the grid that shows a global setting as "%X" and takes it back
// (low bytes, no range check; text that does not parse leaves the setting alone); Enter in it
// sends the setting. No character filter; its up-down wraps like a value editor's.
struct GlobalFieldTraits {
    int id = 0;
    int upDownId = 0;
    int textLimit = 0;
    int spinLow = 0;
    int spinHigh = 0;
    GlobalSetting setting;
};

enum class Captions {
    HeaderFormat,  // one "|"-separated string; fixed rows keep the grid's default of one
    CellByCell,    // written into row 0 one by one, after setting fixedRows
};

struct PageTraits {
    const char* templatePath = "";  // Qt resource of the dialog template
    const BandLayout* layout = nullptr;
    Table<ColumnTraits> columns;
    Captions captions = Captions::HeaderFormat;
    int fixedRows = 1;  // Captions::CellByCell only
    FrequencyEditorTraits frequency;
    Table<ValueEditorTraits> values;
    Table<ListEditorTraits> lists;
    Table<int> commitOrder;  // editor ids in the order CommitEditors commits them
    bool rightPressFocusesGrid = false;
    bool f2OpensEditor = false;
    bool spinReleaseEnter = true;  // releasing an up-down button presses Enter
    int storeWidth = 0;  // 0: whole records (StoreRanges); else bytes per record (StoreFields)
    Table<GlobalFieldTraits> globalFields{};
};

} // namespace qmcal
