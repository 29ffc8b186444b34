#include "scanning.h"

namespace quarnis {

void matchParentheses(std::u16string_view s, std::vector<std::uint32_t>& match)
{
    // Only the positions of parentheses are ever looked up: a text without any needs no table.
    std::size_t first = 0;
    while (first < s.size() && s[first] != u'(' && s[first] != u')')
        ++first;
    match.clear();
    if (first == s.size())
        return;
    match.assign(s.size(), kNoMatch);
    // The open "(" form a chain through their own entries, the innermost at `open`.
    std::uint32_t open = kNoMatch;
    for (std::size_t i = first; i < s.size(); ++i) {
        const auto at = static_cast<std::uint32_t>(i);
        if (s[i] == u'(') {
            match[i] = open;
            open = at;
        } else if (s[i] == u')' && open != kNoMatch) {
            const std::uint32_t outer = match[open];
            match[open] = at;
            match[i] = open;
            open = outer;
        }
    }
    while (open != kNoMatch) {
        const std::uint32_t outer = match[open];
        match[open] = kNoMatch;
        open = outer;
    }
}

Group groupAt(const Source& src, std::size_t p, std::size_t hi)
{
    const std::uint32_t close = (*src.match)[p];
    if (close == kNoMatch || close >= hi)
        return { p + 1, hi, hi };
    return { p + 1, close, std::size_t(close) + 1 };
}

std::u16string extractGroup(std::u16string_view s, std::size_t& p)
{
    std::size_t depth = 1;
    const std::size_t first = p + 1;
    std::size_t i = first;
    for (; i < s.size(); ++i) {
        if (s[i] == u'(')
            ++depth;
        else if (s[i] == u')' && --depth == 0)
            break;
    }
    std::u16string group(s.substr(first, i - first));
    p = i < s.size() ? i + 1 : s.size();
    return group;
}

} // namespace quarnis
