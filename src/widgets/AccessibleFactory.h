#pragma once

namespace qmcal {

// Lets a screen reader see the widget kit's custom-painted controls: the grid as a table of
// cells and the up-down with its value and two arrows. Call once the application object exists.
void InstallAccessibleFactory();

} // namespace qmcal
