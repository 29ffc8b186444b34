#include "scanning.h"

namespace quarnis {

std::vector<std::uint32_t> MatchParentheses(std::u16string_view s)
{
    // Only the positions of parentheses are ever looked up: a text without any needs no table.
    std::size_t first = 0;
    while (first < s.size() && s[first] != u'(' && s[first] != u')')
        ++first;
    if (first == s.size())
        return {};
    std::vector<std::uint32_t> match(s.size(), kNoMatch);
    std::vector<std::uint32_t> open;
    for (std::size_t i = first; i < s.size(); ++i) {
        if (s[i] == u'(') {
            open.push_back(static_cast<std::uint32_t>(i));
        } else if (s[i] == u')' && !open.empty()) {
            match[i] = open.back();
            match[open.back()] = static_cast<std::uint32_t>(i);
            open.pop_back();
        }
    }
    return match;
}

Group GroupAt(const std::vector<std::uint32_t>& match, std::size_t p, std::size_t hi)
{
    const std::uint32_t close = match[p];
    if (close == kNoMatch || close >= hi)
        return { p + 1, hi, hi };
    return { p + 1, close, std::size_t(close) + 1 };
}

std::u16string ExtractGroup(std::u16string_view s, std::size_t& p)
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
