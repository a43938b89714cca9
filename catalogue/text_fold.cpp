#include "catalogue/text_fold.h"

namespace lout {

namespace {

char32_t lower(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)
        || (c >= 0xFF21 && c <= 0xFF3A))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs: upper case first, except between
        // U+0139 and U+0148 and from U+0179, where they start one later.
        const bool shifted = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        const bool upper = shifted ? (c % 2 == 1) : (c % 2 == 0);
        return upper ? c + 1 : c;
    }
    return c;
}

// Decodes UTF-8 leniently: a malformed byte stands for itself.
template <typename Visit>
void forEachCodePoint(std::string_view s, Visit visit)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra == 3 ? (lead & 0x07u) : extra == 2 ? (lead & 0x0Fu) : extra == 1 ? (lead & 0x1Fu) : lead;
        bool valid = i + extra < s.size() || extra == 0;
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            c = lead;
            extra = 0;
        }
        visit(c);
        i += extra + 1;
    }
}

} // namespace

std::u32string foldedName(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    forEachCodePoint(utf8, [&](char32_t c) { out.push_back(lower(c)); });
    return out;
}

int compareIgnoringCase(std::string_view a, std::string_view b)
{
    const std::u32string fa = foldedName(a);
    const std::u32string fb = foldedName(b);
    return fa.compare(fb);
}

} // namespace lout
