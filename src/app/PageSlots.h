#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace qmcal {

struct AppContext;

constexpr int kPageSlotCount = 8;

// What the main window keeps of a calibration page.
struct PageSlot {
    std::unique_ptr<QWidget> page;   // a hidden child of the tab control
    std::function<void()> loadGrid;  // New, Open or Read replaced the image: reload the grid
    std::function<void()> saveGrid;  // the window closes: the grid into the image
};

// The pages' place in the main window: makes the page of slot 0..7 (Power, Rx Tuning, Tx Mod,
// Signal Mod, Tone Mod, Rx Test, SQL, RSSI) as a child of tabControl. A slot left empty (no
// page) is skipped by the window.
PageSlot CreatePageSlot(int slot, AppContext& context, QWidget* tabControl);

// The Sql Fine command: shows the Sql Fine dialog modally.
void ShowSqlFineDialog(AppContext& context, QWidget* parent);

} // namespace qmcal
