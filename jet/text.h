#pragma once

// Text as Jet stores it: Jet 4 UCS-2 with its optional compressed form, and
// Jet 3 bytes in the database's ANSI code page.
#include "jet/bytes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lout::jet {

// UTF-8 to UTF-16; nothing when the UTF-8 is malformed.
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// Jet 4 bytes of a text value: the compressed form when it is shorter (or
// needed to keep a leading U+FEFF), else plain UCS-2. Nothing when the text
// cannot be stored (a leading U+FEFF in text that cannot be compressed).
std::optional<Bytes> encodeJet4Text(std::u16string_view text);
// Decodes Jet 4 text bytes, compressed or not, to UTF-8.
std::string decodeJet4Text(std::span<const std::uint8_t> bytes);

// The iconv name of a Windows code page; CP1252 for unknown pages.
std::string charsetOfCodePage(std::uint16_t codePage);
// True when iconv can convert between `charset` and UTF-8.
bool charsetUsable(const std::string& charset);
// Jet 3 text: bytes in `charset` to UTF-8 (undecodable bytes become U+FFFD),
// and back (nothing when a character has no code in `charset`).
std::string decodeCodePageText(std::span<const std::uint8_t> bytes, const std::string& charset);
std::optional<Bytes> encodeCodePageText(std::string_view utf8, const std::string& charset);

// Table and column names match as Jet matches them: ignoring the case of
// ASCII letters only.
bool sameNameIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace lout::jet
