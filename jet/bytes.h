#pragma once

// Little-endian byte access for Jet pages, with every read bounds-checked by
// the caller's span.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace lout::jet {

using Bytes = std::vector<std::uint8_t>;

inline std::uint16_t readU16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

inline std::uint32_t readU32(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8)
        | (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline void putU8(std::span<std::uint8_t> b, std::size_t at, unsigned value)
{
    b[at] = static_cast<std::uint8_t>(value & 0xFFu);
}

inline void putU16(std::span<std::uint8_t> b, std::size_t at, unsigned value)
{
    b[at] = static_cast<std::uint8_t>(value & 0xFFu);
    b[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFFu);
}

inline void putU32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu);
}

inline void appendU16(Bytes& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

inline void appendU32(Bytes& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu));
}

template <typename T>
inline void appendRaw(Bytes& out, T value)
{
    const std::size_t at = out.size();
    out.resize(at + sizeof(T));
    std::memcpy(out.data() + at, &value, sizeof(T));
}

} // namespace lout::jet
