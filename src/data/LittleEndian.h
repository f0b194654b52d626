#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qmcal {

// Little-endian access into fixed buffers. Offsets wrap at the buffer size, as the radio's
// 16-bit addresses do, so no computed address can reach outside a buffer.
template <std::size_t N>
std::uint8_t getU8(const std::array<std::uint8_t, N>& buf, std::size_t offset)
{
    return buf[offset % N];
}

template <std::size_t N>
void putU8(std::array<std::uint8_t, N>& buf, std::size_t offset, std::uint8_t value)
{
    buf[offset % N] = value;
}

template <std::size_t N>
std::uint16_t getU16le(const std::array<std::uint8_t, N>& buf, std::size_t offset)
{
    return static_cast<std::uint16_t>(buf[offset % N] | (buf[(offset + 1) % N] << 8));
}

template <std::size_t N>
void putU16le(std::array<std::uint8_t, N>& buf, std::size_t offset, std::uint16_t value)
{
    buf[offset % N] = static_cast<std::uint8_t>(value & 0xFF);
    buf[(offset + 1) % N] = static_cast<std::uint8_t>(value >> 8);
}

template <std::size_t N>
std::uint32_t getU32le(const std::array<std::uint8_t, N>& buf, std::size_t offset)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(buf[(offset + i) % N]) << (8 * i);
    return v;
}

template <std::size_t N>
void putU32le(std::array<std::uint8_t, N>& buf, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        buf[(offset + i) % N] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

// Unsigned field of 1 or 2 bytes.
template <std::size_t N>
unsigned getField(const std::array<std::uint8_t, N>& buf, std::size_t offset, int width)
{
    return width == 1 ? getU8(buf, offset) : getU16le(buf, offset);
}

template <std::size_t N>
void putField(std::array<std::uint8_t, N>& buf, std::size_t offset, int width, unsigned value)
{
    if (width == 1)
        putU8(buf, offset, static_cast<std::uint8_t>(value & 0xFF));
    else
        putU16le(buf, offset, static_cast<std::uint16_t>(value & 0xFFFF));
}

} // namespace qmcal
