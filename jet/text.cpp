#include "jet/text.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace lout::jet {

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openIconv(const std::string& to, const std::string& from)
{
    const iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return IconvHandle(cd);
}

} // namespace

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t c = 0;
        std::size_t extra = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            c = lead & 0x1Fu;
            extra = 1;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            c = lead & 0x0Fu;
            extra = 2;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            c = lead & 0x07u;
            extra = 3;
            minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + extra >= utf8.size())
            return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += extra + 1;
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00
            && utf16[i + 1] <= 0xDFFF) {
            const char32_t c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10)
                + (static_cast<char32_t>(utf16[i + 1]) - 0xDC00);
            appendUtf8(out, c);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::optional<Bytes> encodeJet4Text(std::u16string_view text)
{
    Bytes plain;
    plain.reserve(text.size() * 2);
    bool compressible = true;
    for (const char16_t unit : text) {
        appendU16(plain, unit);
        // In the compressed form a zero byte switches modes, so no unit
        // whose low byte is zero can be stored there.
        if ((unit & 0xFF) == 0)
            compressible = false;
    }
    const bool leadingMark = !text.empty() && text.front() == 0xFEFF;
    if (!compressible)
        return leadingMark ? std::nullopt : std::optional<Bytes>(plain);

    Bytes packed{0xFF, 0xFE};
    bool compressedMode = true;
    for (const char16_t unit : text) {
        const bool single = unit < 0x100;
        if (single != compressedMode) {
            packed.push_back(0x00);
            compressedMode = single;
        }
        if (single)
            packed.push_back(static_cast<std::uint8_t>(unit));
        else
            appendU16(packed, unit);
    }
    // Plain text starting with U+FEFF would begin with the compression mark.
    if (packed.size() < plain.size() || leadingMark)
        return packed;
    return plain;
}

std::string decodeJet4Text(std::span<const std::uint8_t> bytes)
{
    std::u16string units;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bool compressedMode = true;
        std::size_t i = 2;
        while (i < bytes.size()) {
            if (bytes[i] == 0) {
                compressedMode = !compressedMode;
                ++i;
            } else if (compressedMode) {
                units.push_back(bytes[i]);
                ++i;
            } else if (i + 1 < bytes.size()) {
                units.push_back(static_cast<char16_t>(readU16(bytes, i)));
                i += 2;
            } else {
                break; // odd trailing byte
            }
        }
    } else {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(readU16(bytes, i)));
    }
    return utf16ToUtf8(units);
}

std::string charsetOfCodePage(std::uint16_t codePage)
{
    switch (codePage) {
    case 437: case 850: case 852: case 855: case 857: case 860: case 861: case 862: case 863:
    case 864: case 865: case 866: case 869:
        return "IBM" + std::to_string(codePage);
    case 874: return "CP874";
    case 932: return "CP932";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "BIG5";
    case 1250: case 1251: case 1252: case 1253: case 1254: case 1255: case 1256: case 1257:
    case 1258:
        return "CP" + std::to_string(codePage);
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 54936: return "GB18030";
    case 65001: return "UTF-8";
    default: return "CP1252";
    }
}

bool charsetUsable(const std::string& charset)
{
    return !charset.empty() && openIconv("UTF-8", charset) && openIconv(charset, "UTF-8");
}

std::string decodeCodePageText(std::span<const std::uint8_t> bytes, const std::string& charset)
{
    const IconvHandle cd = openIconv("UTF-8", charset);
    std::string out;
    if (!cd) {
        for (const std::uint8_t b : bytes)
            appendUtf8(out, b < 0x80 ? b : kReplacement);
        return out;
    }
    std::string buffer(bytes.size() * 4 + 16, '\0');
    auto* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data()));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: show it as one replacement
            // character and go on after the byte that failed.
            appendUtf8(out, kReplacement);
            ++in;
            --inLeft;
            iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::optional<Bytes> encodeCodePageText(std::string_view utf8, const std::string& charset)
{
    const IconvHandle cd = openIconv(charset, "UTF-8");
    if (!cd)
        return std::nullopt;
    Bytes out(utf8.size() * 4 + 16);
    auto* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    auto* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size();
    if (iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    if (iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

bool sameNameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

} // namespace lout::jet
