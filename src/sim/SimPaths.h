#pragma once

#include <filesystem>

namespace qmcal::sim {

// The Default.dat to start from, found as the program finds its own: beside the executable
// when there is one, else "qmcal/Default.dat" in the first data folder that holds it
// ($XDG_DATA_HOME or ~/.local/share, then each absolute folder of $XDG_DATA_DIRS or
// /usr/local/share:/usr/share). Empty when there is none. Standard C++ only: the simulator
// must not borrow the program's code.
std::filesystem::path FindDefaultFile(const std::filesystem::path& exeFolder);

} // namespace qmcal::sim
