#pragma once
// The scanning rules that every pass shares. Positions are 0-based indices here; a reading
// works inside [lo, hi) of its text, so nested readings can use views of one text.
//
//   forward number run of "2E-3+1" from 0      -> "2E-3"
//   backward number run ending at the end of "2*-3" -> "-3";  of "2-3" -> "3"
//   readSigns of "--+-5" from 0                -> -1, position on the 5

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarnis {

// Number characters: ".", "0" to "9" and the capital "E".
constexpr bool isNumberChar(char16_t c)
{
    return c == u'.' || (c >= u'0' && c <= u'9') || c == u'E';
}
constexpr bool isSign(char16_t c) { return c == u'+' || c == u'-'; }

// The end of the forward number run that starts at p: number characters, and a sign directly
// after an "E".
template <class Text> std::size_t forwardRunEnd(const Text& s, std::size_t p, std::size_t hi)
{
    while (p < hi) {
        const char16_t c = s[p];
        if ((c >= u'0' && c <= u'9') || c == u'.') {
            ++p;
        } else if (c == u'E') {
            ++p;
            if (p < hi && isSign(s[p]))
                ++p;
        } else {
            break;
        }
    }
    return p;
}

// The start of the backward number run that ends just before q (so the run is [start, q)),
// with the sign rule: a sign at the start of the text or after "*", "+", "-" or "/" belongs to
// the run. The run may be empty (start == q).
template <class Text> std::size_t backwardRunStart(const Text& s, std::size_t lo, std::size_t q)
{
    std::size_t p = q; // the run is [p, q)
    while (p > lo) {
        const char16_t c = s[p - 1];
        const bool belongs = isNumberChar(c) || (isSign(c) && p - 1 > lo && s[p - 2] == u'E');
        if (!belongs)
            break;
        --p;
    }
    if (p > lo && isSign(s[p - 1])) {
        const std::size_t at = p - 1;
        if (at == lo)
            return at;
        const char16_t before = s[at - 1];
        if (before == u'*' || before == u'+' || before == u'-' || before == u'/')
            return at;
    }
    return p;
}

// Reads a run of "+" and "-" from p; each "-" changes the sign. Gives +1 or -1.
template <class Text> int readSigns(const Text& s, std::size_t& p, std::size_t hi)
{
    int sign = 1;
    while (p < hi && isSign(s[p])) {
        if (s[p] == u'-')
            sign = -sign;
        ++p;
    }
    return sign;
}

inline constexpr std::uint32_t kNoMatch = UINT32_MAX;

// A buffer that keeps its capacity for the next use on the same thread: it is taken from a
// small per-thread stock and given back at the end of its scope, so that evaluating formula
// after formula allocates only for texts longer than any before. Buffers beyond
// kKeptCapacity elements are freed instead, so a huge formula leaves nothing behind.
template <class Buffer> class Scratch {
public:
    Scratch()
    {
        std::vector<Buffer>& s = stock();
        if (!s.empty()) {
            buffer_ = std::move(s.back());
            s.pop_back();
        }
    }
    ~Scratch()
    {
        std::vector<Buffer>& s = stock();
        if (buffer_.capacity() <= kKeptCapacity && s.size() < kKeptBuffers) {
            buffer_.clear();
            s.push_back(std::move(buffer_));
        }
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    Buffer& operator*() { return buffer_; }
    const Buffer& operator*() const { return buffer_; }
    Buffer* operator->() { return &buffer_; }
    const Buffer* operator->() const { return &buffer_; }

private:
    static constexpr std::size_t kKeptCapacity = 4096;
    static constexpr std::size_t kKeptBuffers = 16;

    static std::vector<Buffer>& stock()
    {
        thread_local std::vector<Buffer> buffers;
        return buffers;
    }

    Buffer buffer_;
};

// For every "(" the index of its ")" and for every ")" the index of its "(", as the depth
// count of a scan finds them; kNoMatch where there is none. Left empty for a text without
// parentheses.
void matchParentheses(std::u16string_view s, std::vector<std::uint32_t>& match);

// A text with its parentheses matched, read by a pass in ranges [lo, hi).
struct Source {
    explicit Source(std::u16string_view s)
        : text(s)
    {
        matchParentheses(s, *match);
    }
    std::u16string_view text;
    Scratch<std::vector<std::uint32_t>> match;
};

// The group that opens at the "(" at p, inside [lo, hi): its text is [first, last) and the
// reading goes on at next. A group without its ")" runs to hi.
struct Group {
    std::size_t first, last, next;
};
Group groupAt(const Source& src, std::size_t p, std::size_t hi);

// The text inside the group whose "(" is at p; p moves just past the closing ")".
// '(2*(3+4))' gives '2*(3+4)', '()' the empty text. A missing ")" ends the group at the end
// of the text.
std::u16string extractGroup(std::u16string_view s, std::size_t& p);

} // namespace quarnis
