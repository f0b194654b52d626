#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "data/PageTable.h"

// What a calibration page declares about itself. A page is mostly one constexpr PageTraits: its
// template, its page table, its columns' widths and editors with their ranges and commit
// variants, and a few switches, each given only where it differs from the default. CalPage does
// the rest. The Sql Fine dialog describes its grid and editor with one as well.

namespace qmcal {

// Control ids that every page shares.
constexpr int kIdBandTabs = 1064;
constexpr int kIdGrid = 1172;
constexpr int kIdFrequencyEditor = 1121;
constexpr int kIdStoreAll = 1022;
constexpr int kIdStoreCurrent = 1023;

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
constexpr StayOpen kSelectInPlace{.select = true};

struct FrequencyEditorTraits {
    bool writeBack = true;  // the normalised text goes back into the editor as well
    StayOpen stay{};
};

// The up-down wraps at the range the commit accepts unless the page says otherwise; anything
// the commit does not accept becomes the fallback, the range's low end by default.
struct ValueEditorTraits {
    int id = 0;
    int upDownId = 0;
    int textLimit = 0;
    int minimum = 0;  // what the commit accepts
    int maximum = 0;
    int spinLow = minimum;  // the up-down's range: where SpinStep wraps
    int spinHigh = maximum;
    int fallback = minimum;
    bool fallbackIntoEditor = false;  // an out-of-range number is also replaced in the editor
    ValueText text = ValueText::Hex;
    CharFilter filter = CharFilter::Hex;
    StayOpen stay{};
    bool escapeLeaves = true;  // Escape moves the focus to the grid
};

// Its items are those of the column it edits.
struct ListEditorTraits {
    int id = 0;
    StayOpen stay{};
};

// A band-independent setting: bytes of the IdBlock that SetGlobal sends with the page's code.
struct GlobalSetting {
    int subCode = kNoSubCode;  // kNoSubCode: there is nothing to send
    int width = 0;
    std::uint16_t offset = 0;  // IdBlock offset
};

// What the window adds to a column of the page table; columns[c] goes with the table's column c.
struct ColumnTraits {
    int widthTwips = 1000;
    int editorId = 0;      // kIdFrequencyEditor, a value editor's id or a list editor's id
    GlobalSetting captionSend{};  // Enter on the caption cell, where row 0 can be current (fixedRows 0)
};

inline constexpr ColumnTraits kFrequencyColumnTraits{.widthTwips = 1500, .editorId = kIdFrequencyEditor};

// A column of the default width edited with editor (a value or a list editor's traits).
constexpr ColumnTraits EditedWith(const auto& editor)
{
    return {.editorId = editor.id};
}

// An always visible edit beside the grid that shows a global setting as "%X" and takes it back
// (low bytes, no range check; text that does not parse leaves the setting alone); Enter in it
// sends the setting. No character filter; its up-down wraps like a value editor's.
struct GlobalFieldTraits {
    int id = 0;
    int upDownId = 0;
    int textLimit = 0;
    int spinLow = 0;
    int spinHigh = 0;
    GlobalSetting setting{};
};

// The pair of buttons that keys the radio on the current point and ends it again: the start
// sends what the page's CalPage::BeforeKey sends, then PttStart or TestStart; the end sends
// PttEnd or TestEnd.
enum class Keying {
    None,
    Ptt,   // "PTT Start" (where the page has one) and "PTT End"
    Test,  // "Test" and "End"
};
constexpr int kIdPttStart = 1026;
constexpr int kIdPttEnd = 1061;
constexpr int kIdTest = 1010;
constexpr int kIdEnd = 1011;

enum class Captions {
    HeaderFormat,  // one "|"-separated string; fixed rows keep the grid's default of one
    CellByCell,    // written into row 0 one by one, after setting fixedRows
};

struct PageTraits {
    const char* templatePath = "";  // Qt resource of the dialog template
    const PageTable* table = nullptr;
    Table<ColumnTraits> columns{};
    Captions captions = Captions::HeaderFormat;
    int fixedRows = 1;  // Captions::CellByCell only
    FrequencyEditorTraits frequency{};
    Table<ValueEditorTraits> values{};
    Table<ListEditorTraits> lists{};
    // Editor ids in the order CommitEditors commits them; empty: the frequency editor, the list
    // editors, then the value editors, each in the order given here.
    Table<int> commitOrder{};
    bool rightPressFocusesGrid = false;
    bool f2OpensEditor = false;
    bool spinReleaseEnter = true;  // releasing an up-down button presses Enter
    int storeWidth = 0;  // 0: whole records (StoreRanges); else bytes per record (StoreFields)
    Keying keying = Keying::None;
    Table<GlobalFieldTraits> globalFields{};
};

} // namespace qmcal
