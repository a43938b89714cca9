#include "catalogue/jet_header.h"

#include <array>
#include <utility>

namespace lout::jet {

namespace {

// RC4 keystream for the fixed key every Jet file uses on page 0.
std::array<std::uint8_t, 128> headerKeystream()
{
    constexpr std::array<std::uint8_t, 4> key{0xC7, 0xDA, 0x39, 0x6B};
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i)
        state[i] = static_cast<std::uint8_t>(i);
    std::size_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = (j + state[i] + key[i % key.size()]) & 0xFFu;
        std::swap(state[i], state[j]);
    }
    std::array<std::uint8_t, 128> stream{};
    std::size_t a = 0;
    std::size_t b = 0;
    for (auto& out : stream) {
        a = (a + 1) & 0xFFu;
        b = (b + state[a]) & 0xFFu;
        std::swap(state[a], state[b]);
        out = state[(state[a] + state[b]) & 0xFFu];
    }
    return stream;
}

} // namespace

void applyHeaderCipher(std::span<std::uint8_t> page0, Version v)
{
    static const std::array<std::uint8_t, 128> stream = headerKeystream();
    const std::size_t length = headerCipherLength(v);
    for (std::size_t i = 0; i < length && kHeaderCipherStart + i < page0.size(); ++i)
        page0[kHeaderCipherStart + i] ^= stream[i];
}

std::optional<HeaderInfo> readHeader(std::span<const std::uint8_t> file)
{
    if (file.size() < 0x100 || file[0] != 0x00)
        return std::nullopt;
    const std::uint8_t versionByte = file[0x14];
    if (versionByte > 6)
        return std::nullopt;
    const Version version = versionByte == 0 ? Version::Jet3 : Version::Jet4;
    std::array<std::uint8_t, 0x100> head{};
    std::copy(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(head.size()), head.begin());
    applyHeaderCipher(head, version);
    return HeaderInfo{version, versionByte, readU16(head, 0x3C), readU32(head, 0x3E)};
}

} // namespace lout::jet
