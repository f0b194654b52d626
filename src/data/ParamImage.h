#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qmcal {

constexpr std::size_t kIdBlockSize = 4096;
constexpr std::size_t kParamAreaSize = 65536;

using IdBlockBytes = std::array<std::uint8_t, kIdBlockSize>;
using AreaBytes = std::array<std::uint8_t, kParamAreaSize>;

// The in-memory copy of the radio's calibration memory. One instance is owned by the
// application and handed by reference to whoever works on it.
class ParamImage {
public:
    ParamImage() = default;
    ParamImage(const ParamImage&) = delete;
    ParamImage& operator=(const ParamImage&) = delete;

    IdBlockBytes& IdBlock() { return m_idBlock; }
    const IdBlockBytes& IdBlock() const { return m_idBlock; }

    // Indexed by the radio's 16-bit memory address.
    AreaBytes& ParamArea() { return m_paramArea; }
    const AreaBytes& ParamArea() const { return m_paramArea; }

    // ParamArea as last loaded from Default.dat; the range repair falls back to it.
    AreaBytes& ReferenceArea() { return m_referenceArea; }
    const AreaBytes& ReferenceArea() const { return m_referenceArea; }

private:
    IdBlockBytes m_idBlock{};
    AreaBytes m_paramArea{};
    AreaBytes m_referenceArea{};
};

} // namespace qmcal
