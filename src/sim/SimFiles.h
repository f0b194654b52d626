#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/SimRadio.h"

namespace qmcal::sim {

inline constexpr std::size_t kIdBlockSize = 4096;
inline constexpr std::size_t kParamFileSize = kIdBlockSize + 65536;
using IdBlock = std::array<std::uint8_t, kIdBlockSize>;

// A parameter file: the 4096-byte identifier block, then the 65536-byte memory.
struct ParamFile {
    IdBlock idBlock{};
    RadioMemory memory{};
};

// Loads a whole parameter file. Empty, with the reason in error, when it cannot be read, is
// not a regular file (a pipe would block, /dev/zero never ends, a folder has no bytes) or is
// short. A longer file loads its first bytes, and warning says the rest was ignored.
std::optional<ParamFile> LoadParamFile(const std::string& path, std::string& error, std::string& warning);

// Writes the file as the program writes its own: a device or a pipe in place, a symbolic
// link's target rather than the link, an ordinary file through a new file beside it that takes
// its place, with its mode, once every byte is on disk. False, with the reason, on failure.
bool SaveParamFile(const std::string& path, const ParamFile& file, std::string& error);

} // namespace qmcal::sim
