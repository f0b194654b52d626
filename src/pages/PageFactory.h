#pragma once

#include <memory>

class QWidget;

namespace qmcal {

class CalPage;
class ParamImage;
class RadioLink;

// The calibration page of the main window's slot 0..7 (Power, Rx Tuning, Tx Mod, Signal Mod,
// Tone Mod, Rx Test, SQL, RSSI), initialised from the image as it is now; nullptr for a slot
// whose page does not exist.
std::unique_ptr<CalPage> CreateCalPage(int slot, ParamImage& image, RadioLink& link, QWidget* parent);

} // namespace qmcal
