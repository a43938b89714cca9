#pragma once

// Page 0 of a Jet file: the fixed RC4 cipher over its settings block and the
// fields a reader needs from it.
#include "jet/bytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lout::jet {

enum class Version { Jet3, Jet4 };

// Version bytes from 2 on are Access 2007 and later (ACE); their pages are
// laid out as Jet 4's.
constexpr std::uint8_t kFirstAceVersion = 2;
constexpr std::uint8_t kLastKnownVersion = 6;

constexpr std::size_t pageSizeOf(Version v) { return v == Version::Jet3 ? 2048 : 4096; }

// Offset and length of the enciphered settings block of page 0.
constexpr std::size_t kHeaderCipherStart = 0x18;
constexpr std::size_t headerCipherLength(Version v) { return v == Version::Jet3 ? 126 : 128; }

// XORs the settings block with the fixed keystream: enciphers and deciphers.
void applyHeaderCipher(std::span<std::uint8_t> page0, Version v);

struct HeaderInfo {
    Version version;
    std::uint8_t versionByte;  // 0 Jet 3, 1 Jet 4, 2.. later Access formats
    std::uint16_t codePage;
    std::uint32_t databaseKey; // non-zero: every page is enciphered
};

// Reads page 0 of a file; nothing when it is not a Jet header.
std::optional<HeaderInfo> readHeader(std::span<const std::uint8_t> file);

// Access 97 and 2000 can encode a database: every page after the header is
// enciphered with RC4 keyed by the database key XOR the page number. Turns
// such a Jet 3 or Jet 4 file into its plain form (the key becomes 0), so
// that checks and readers see ordinary pages. Other files stay as they are.
void decipherPages(std::vector<std::uint8_t>& file);

} // namespace lout::jet
