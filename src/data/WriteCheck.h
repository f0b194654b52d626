#pragma once

#include <utility>
#include <vector>

#include <QString>

#include "data/ImageDiff.h"
#include "data/Layouts.h"
#include "data/PageTable.h"
#include "data/ParamImage.h"

// What a write into the radio sends and what reading it back must find, compared in the words
// of the grids: for the window's read-back after a write and qmcal-cli write-rssi --verify.

namespace qmcal {

using AddressRange = std::pair<int, int>;  // ParamArea [start, end)
using AddressRanges = std::vector<AddressRange>;

// The bytes of each slot's records, slot by slot: what a store loop over the layout sends.
AddressRanges RecordRanges(const BandLayout& layout);

// The 8-byte blocks that hold ranges, as runs of adjacent blocks: what a read-back reads.
AddressRanges BlockRuns(const AddressRanges& ranges);

// How b's bytes differ from a's within ranges (bytes outside them are not compared): the
// cells of pages that show them, the other bytes by address, and how many bytes differ.
struct RangeDiff {
    ImageDiff diff;
    int bytes = 0;
};
RangeDiff DiffRanges(const ParamImage& a, const AreaBytes& b, const AddressRanges& ranges,
                     Table<const PageTable*> pages = kPageTables);

// "Verify failed: 23 points differ (25 bytes)", then the first maxLines lines of DiffText
// (all of them when maxLines < 0), a: what was sent, b: what the radio holds.
QString VerifyFailedText(const RangeDiff& check, int maxLines = -1);

// A read-back that did not come: "Verify failed: " and the reason (the link's Prompt text).
QString VerifyNotReadText(const QString& reason);

} // namespace qmcal
