#include "jet/header.h"

#include <algorithm>
#include <array>
#include <utility>

namespace lout::jet {

namespace {

// RC4 over `data` with a four-byte key.
void applyRc4(const std::array<std::uint8_t, 4>& key, std::span<std::uint8_t> data)
{
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i)
        state[i] = static_cast<std::uint8_t>(i);
    std::size_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = (j + state[i] + key[i % key.size()]) & 0xFFu;
        std::swap(state[i], state[j]);
    }
    std::size_t a = 0;
    std::size_t b = 0;
    for (auto& byte : data) {
        a = (a + 1) & 0xFFu;
        b = (b + state[a]) & 0xFFu;
        std::swap(state[a], state[b]);
        byte ^= state[(state[a] + state[b]) & 0xFFu];
    }
}

// The keystream for the fixed key every Jet file uses on page 0.
std::array<std::uint8_t, 128> headerKeystream()
{
    std::array<std::uint8_t, 128> stream{};
    applyRc4({0xC7, 0xDA, 0x39, 0x6B}, stream);
    return stream;
}

constexpr std::size_t kDatabaseKeyAt = 0x3E;

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
    if (versionByte > kLastKnownVersion)
        return std::nullopt;
    const Version version = versionByte == 0 ? Version::Jet3 : Version::Jet4;
    std::array<std::uint8_t, 0x100> head{};
    std::copy(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(head.size()), head.begin());
    applyHeaderCipher(head, version);
    return HeaderInfo{version, versionByte, readU16(head, 0x3C), readU32(head, kDatabaseKeyAt)};
}

void decipherPages(std::vector<std::uint8_t>& file)
{
    const auto header = readHeader(file);
    if (!header || header->databaseKey == 0 || header->versionByte >= kFirstAceVersion)
        return;
    const std::size_t pageSize = pageSizeOf(header->version);
    for (std::size_t n = 1; (n + 1) * pageSize <= file.size(); ++n) {
        const std::uint32_t key = header->databaseKey ^ static_cast<std::uint32_t>(n);
        applyRc4({static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                  static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)},
                 std::span(file).subspan(n * pageSize, pageSize));
    }
    const std::span<std::uint8_t> page0(file.data(), std::min(pageSize, file.size()));
    applyHeaderCipher(page0, header->version);
    putU32(page0, kDatabaseKeyAt, 0);
    applyHeaderCipher(page0, header->version);
}

} // namespace lout::jet
