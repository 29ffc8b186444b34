#pragma once
// What the fuzz targets share: turning bytes into formula characters, reading a few fixed
// fields from the input, and failing loudly when a property does not hold.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quarnis::fuzz {

// Bytes below 0x80 stand for themselves (so a corpus of plain texts works); the others pick
// characters that the program must reject or fold.
inline char16_t unitFor(std::uint8_t b)
{
    static constexpr char16_t kOthers[]
        = { u'\t', u'\r', u'\n', u'\u00E4', u'\u015F', u'\u0130', u'\uFFFD', char16_t(0xD83D),
              char16_t(0xDE00), u'\u00A0', u',', u'E', u'(', u')', u'^', u'!' };
    return b < 0x80 ? char16_t(b) : kOthers[b % (sizeof kOthers / sizeof kOthers[0])];
}

inline std::u16string textFor(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i)
        text += unitFor(data[i]);
    return text;
}

// Aborts, so that libFuzzer keeps the input and the replay test fails.
inline void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

// Reads fixed-size fields from the front of the input; past its end every byte is 0.
struct Bytes {
    const std::uint8_t* data;
    std::size_t size;

    bool empty() const { return size == 0; }
    std::uint8_t byte() { return size == 0 ? 0 : (--size, *data++); }
    template <typename T> T value()
    {
        unsigned char raw[sizeof(T)];
        for (auto& b : raw)
            b = byte();
        T v;
        std::memcpy(&v, raw, sizeof v);
        return v;
    }
};

} // namespace quarnis::fuzz
