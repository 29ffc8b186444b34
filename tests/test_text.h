#pragma once
// UTF-16 texts as UTF-8, for comparing with literals and for the traces of failed rows.
// Written out here rather than taken from the engine, so that a fault in the engine's
// conversion cannot hide in the tests' expectations.

#include <string>
#include <string_view>

namespace quarnis {

inline std::string utf8(std::u16string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00
            && s[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        const int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3; // bytes after
        out += static_cast<char>(
            more == 0 ? c : ((0xF0u << (3 - more)) & 0xF0u) | (c >> (6 * more)));
        for (int k = more - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

} // namespace quarnis
