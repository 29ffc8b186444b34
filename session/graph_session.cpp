#include "graph_session.h"

#include "engine/number_format.h"
#include "engine/utf.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace quarnis {

namespace {

    using TextOf = std::u16string& (*)(GraphSession&);
    using ColorOf = Rgb& (*)(GraphSession&);

    // A text as typed: the panel's fields, and the lists read as texts (widths, grid count).
    struct TextKey {
        std::string_view key;
        TextOf text;
    };
    // A list read by index: "key = N" picks entry N, "key.text = T" shows a text of its own.
    struct EntryKey {
        std::string_view key;
        TextOf text;
        std::span<const std::u16string_view> entries;
    };
    struct ColorKey {
        std::string_view key;
        ColorOf color;
    };

#define QUARNIS_TEXT(member) [](GraphSession& s) -> std::u16string& { return s.member; }
#define QUARNIS_COLOR(member) [](GraphSession& s) -> Rgb& { return s.plot.member; }

    // The function panel's fields come first, in the panel's order.
    constexpr std::size_t kPanelKeys = 12;
    const TextKey kTextKeys[] = {
        { "function.name", QUARNIS_TEXT(panel.name) },
        { "function.variable", QUARNIS_TEXT(panel.var) },
        { "function.constant1.name", QUARNIS_TEXT(panel.const1) },
        { "function.constant1.value", QUARNIS_TEXT(panel.value1) },
        { "function.constant2.name", QUARNIS_TEXT(panel.const2) },
        { "function.constant2.value", QUARNIS_TEXT(panel.value2) },
        { "function.constant3.name", QUARNIS_TEXT(panel.const3) },
        { "function.constant3.value", QUARNIS_TEXT(panel.value3) },
        { "function.definition", QUARNIS_TEXT(panel.definition) },
        { "function.from", QUARNIS_TEXT(panel.x1) },
        { "function.to", QUARNIS_TEXT(panel.x2) },
        { "function.steps", QUARNIS_TEXT(panel.sample) },
        { "curve.width", QUARNIS_TEXT(plot.curveWidth) },
        { "axes.width", QUARNIS_TEXT(plot.axesWidth) },
        { "scale.x", QUARNIS_TEXT(plot.xScale) },
        { "scale.y", QUARNIS_TEXT(plot.yScale) },
        { "grid.count", QUARNIS_TEXT(plot.gridCount) },
    };
    const EntryKey kEntryKeys[] = {
        { "area.style", QUARNIS_TEXT(plot.areaStyle), kFillStyleEntries },
        { "title.font", QUARNIS_TEXT(plot.titleFont), kTitleFontEntries },
        { "curve.kind", QUARNIS_TEXT(plot.curveKind), kCurveKindEntries },
        { "curve.style", QUARNIS_TEXT(plot.curveStyle), kLineStyleEntries },
        { "axes.style", QUARNIS_TEXT(plot.axesStyle), kLineStyleEntries },
        { "axes.x-origin", QUARNIS_TEXT(plot.xOrigin), kAxisPositionEntries },
        { "axes.y-origin", QUARNIS_TEXT(plot.yOrigin), kAxisPositionEntries },
        { "scale.measure", QUARNIS_TEXT(plot.scaleMeasure), kScaleMeasureEntries },
        { "grid.style", QUARNIS_TEXT(plot.gridStyle), kLineStyleEntries },
    };
    const ColorKey kColorKeys[] = {
        { "area.color", QUARNIS_COLOR(areaColor) },
        { "title.color", QUARNIS_COLOR(titleColor) },
        { "curve.color", QUARNIS_COLOR(curveColor) },
        { "axes.color", QUARNIS_COLOR(axesColor) },
        { "grid.color", QUARNIS_COLOR(gridColor) },
    };
    constexpr std::string_view kDecimalsKey = "decimals";
    constexpr std::string_view kGridShownKey = "grid.shown";
    constexpr std::string_view kOwnTextSuffix = ".text";

#undef QUARNIS_TEXT
#undef QUARNIS_COLOR

    constexpr char kHex[] = "0123456789abcdef";

    bool isSpace(char16_t c) { return c == u' ' || c == u'\t'; }

    // The text as a value: escapes as described in the header, UTF-8 otherwise.
    void appendValue(std::string& out, std::u16string_view text)
    {
        std::size_t first = 0, end = text.size();
        while (first < end && text[first] == u' ')
            ++first;
        while (end > first && text[end - 1] == u' ')
            --end;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            const bool high = c >= 0xD800 && c < 0xDC00, low = c >= 0xDC00 && c < 0xE000;
            if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
                appendUtf8(out, text.substr(i, 2));
                ++i;
            } else if (c == u' ' && (i < first || i >= end)) {
                out += "\\s";
            } else if (c == u'\\' || c == u'\n' || c == u'\r' || c == u'\t') {
                out += '\\';
                out += c == u'\\' ? '\\' : c == u'\n' ? 'n' : c == u'\r' ? 'r' : 't';
            } else if (high || low || c == 0) {
                out += "\\u";
                for (int shift = 12; shift >= 0; shift -= 4)
                    out += kHex[(c >> shift) & 0xF];
            } else {
                appendUtf8(out, text.substr(i, 1));
            }
        }
    }

    void appendLine(std::string& out, std::string_view key, std::u16string_view value)
    {
        out.append(key).append(" = ");
        appendValue(out, value);
        out += '\n';
    }

    std::u16string colorText(Rgb c)
    {
        std::u16string t = u"#";
        for (int shift = 20; shift >= 0; shift -= 4)
            t += char16_t(kHex[(c >> shift) & 0xF]);
        return t;
    }

    std::u16string numberText(int n) { return utf8ToUtf16(std::to_string(n)); }

    std::optional<int> hexDigit(char16_t c)
    {
        if (c >= u'0' && c <= u'9')
            return c - u'0';
        if (c >= u'a' && c <= u'f')
            return c - u'a' + 10;
        if (c >= u'A' && c <= u'F')
            return c - u'A' + 10;
        return std::nullopt;
    }

    // The value's text, escapes undone; nothing for an unknown escape.
    std::optional<std::u16string> unescape(std::u16string_view value)
    {
        std::u16string out;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] != u'\\') {
                out += value[i];
                continue;
            }
            if (++i == value.size())
                return std::nullopt;
            switch (value[i]) {
            case u'\\':
                out += u'\\';
                break;
            case u'n':
                out += u'\n';
                break;
            case u'r':
                out += u'\r';
                break;
            case u't':
                out += u'\t';
                break;
            case u's':
                out += u' ';
                break;
            case u'u': {
                if (value.size() - i < 5)
                    return std::nullopt;
                char16_t unit = 0;
                for (int k = 1; k <= 4; ++k) {
                    const std::optional<int> d = hexDigit(value[i + k]);
                    if (!d)
                        return std::nullopt;
                    unit = char16_t(unit << 4 | *d);
                }
                out += unit;
                i += 4;
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return out;
    }

    // "#rrggbb" in either case.
    std::optional<Rgb> colorOf(std::u16string_view text)
    {
        if (text.size() != 7 || text[0] != u'#')
            return std::nullopt;
        Rgb c = 0xff000000u;
        for (std::size_t i = 1; i < 7; ++i) {
            const std::optional<int> d = hexDigit(text[i]);
            if (!d)
                return std::nullopt;
            c |= Rgb(*d) << (4 * (6 - i));
        }
        return c;
    }

    // A small whole number of decimal digits, an optional "-" before them.
    std::optional<int> smallNumberOf(std::u16string_view text)
    {
        const bool negative = !text.empty() && text[0] == u'-';
        const std::u16string_view digits = text.substr(negative ? 1 : 0);
        if (digits.empty() || digits.size() > 4)
            return std::nullopt;
        int n = 0;
        for (char16_t c : digits) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            n = n * 10 + (c - u'0');
        }
        return negative ? -n : n;
    }

    // The length of a well-formed UTF-8 sequence at the start of `s`, or 0.
    std::size_t utf8Length(std::string_view s)
    {
        const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
        const unsigned char b0 = b(0);
        std::size_t len;
        unsigned char lo = 0x80, hi = 0xBF; // the allowed range of the second byte
        if (b0 < 0x80)
            return 1;
        if (b0 >= 0xC2 && b0 <= 0xDF)
            len = 2;
        else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3;
            lo = b0 == 0xE0 ? 0xA0 : 0x80; // no overlong forms
            hi = b0 == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4;
            lo = b0 == 0xF0 ? 0x90 : 0x80;
            hi = b0 == 0xF4 ? 0x8F : 0xBF; // up to U+10FFFF
        } else
            return 0;
        if (s.size() < len || b(1) < lo || b(1) > hi)
            return 0;
        for (std::size_t i = 2; i < len; ++i)
            if ((b(i) & 0xC0) != 0x80)
                return 0;
        return len;
    }

    std::u16string trimmed(std::u16string_view s)
    {
        std::size_t a = 0, b = s.size();
        while (a < b && isSpace(s[a]))
            ++a;
        while (b > a && isSpace(s[b - 1]))
            --b;
        return std::u16string(s.substr(a, b - a));
    }

    std::u16string keyText(std::string_view key) { return utf8ToUtf16(key); }

    // The first line: "quarnis-graph 1", or a later minor version "quarnis-graph 1.2".
    std::optional<std::u16string> headerProblem(std::u16string_view line)
    {
        const std::u16string format = keyText(kGraphSessionFormat) + u' ';
        const std::u16string text = trimmed(line);
        const bool named = text.starts_with(format);
        std::u16string_view version = std::u16string_view(text).substr(named ? format.size() : 0);
        const std::size_t dot = version.find(u'.');
        const std::optional<int> major = smallNumberOf(version.substr(0, dot));
        const std::optional<int> minor
            = dot == std::u16string_view::npos ? 0 : smallNumberOf(version.substr(dot + 1));
        if (!named || !major || *major < 1 || !minor || *minor < 0)
            return u"bir grafik çalışması değil (ilk satırı \"" + format
                + numberText(kGraphSessionVersion) + u"\" olmalıdır)";
        if (*major > kGraphSessionVersion)
            return u"programın bu sürümünden yeni bir sürümün çalışması (" + text + u")";
        return std::nullopt;
    }

    // Applies one "key = value" line to the session; the reason when the value is refused.
    std::optional<std::u16string> apply(
        GraphSession& s, std::string_view key, std::u16string_view rawValue)
    {
        const auto refusal = [&](std::u16string_view why) {
            return std::optional<std::u16string>(keyText(key) + u": " + std::u16string(why));
        };
        const auto named = [&](auto& keys) {
            for (const auto& k : keys)
                if (key == k.key
                    || (key.starts_with(k.key) && key.substr(k.key.size()) == kOwnTextSuffix))
                    return true;
            return false;
        };
        if (!named(kTextKeys) && !named(kEntryKeys) && !named(kColorKeys) && key != kDecimalsKey
            && key != kGridShownKey)
            return std::nullopt; // an unknown key, from a newer program
        const std::optional<std::u16string> value = unescape(rawValue);
        if (!value)
            return refusal(u"geçersiz kaçış dizisi (\\\\ \\n \\r \\t \\s \\uXXXX)");
        for (const TextKey& k : kTextKeys)
            if (k.key == key) {
                k.text(s) = *value;
                return std::nullopt;
            }
        for (const EntryKey& k : kEntryKeys) {
            if (key.starts_with(k.key) && key.substr(k.key.size()) == kOwnTextSuffix) {
                k.text(s) = *value;
                return std::nullopt;
            }
            if (k.key != key)
                continue;
            const std::optional<int> i = smallNumberOf(*value);
            if (!i || *i < 0 || std::size_t(*i) >= k.entries.size())
                return refusal(u"\"" + *value + u"\" numaralı seçenek yok (0 ile "
                    + numberText(int(k.entries.size()) - 1) + u" arası)");
            k.text(s) = k.entries[std::size_t(*i)];
            return std::nullopt;
        }
        for (const ColorKey& k : kColorKeys)
            if (k.key == key) {
                const std::optional<Rgb> c = colorOf(*value);
                if (!c)
                    return refusal(u"renk #rrggbb biçiminde olmalıdır, \"" + *value + u"\" değil");
                k.color(s) = *c;
                return std::nullopt;
            }
        if (key == kDecimalsKey) {
            const std::optional<int> d = smallNumberOf(*value);
            if (!d || *d < kMinDecimals || *d > kMaxDecimals)
                return refusal(u"ondalık -1 ile 9 arasında olmalıdır, \"" + *value + u"\" değil");
            s.decimals = *d;
        } else if (key == kGridShownKey) {
            if (*value != u"0" && *value != u"1")
                return refusal(u"0 ya da 1 olmalıdır, \"" + *value + u"\" değil");
            s.plot.gridShown = *value == u"1";
        }
        return std::nullopt;
    }

} // namespace

std::string writeGraphSession(const GraphSession& session)
{
    GraphSession s = session; // the accessors take a mutable session
    std::string out;
    out.append(kGraphSessionFormat).append(" ").append(std::to_string(kGraphSessionVersion));
    out += '\n';
    const auto text = [&](const TextKey& k) { appendLine(out, k.key, k.text(s)); };
    for (std::size_t i = 0; i < kPanelKeys; ++i)
        text(kTextKeys[i]);
    appendLine(out, kDecimalsKey, numberText(s.decimals));
    for (const ColorKey& k : kColorKeys)
        appendLine(out, k.key, colorText(k.color(s)));
    for (const EntryKey& k : kEntryKeys) {
        const std::u16string& shown = k.text(s);
        if (const std::optional<int> i = entryIndex(shown, k.entries))
            appendLine(out, k.key, numberText(*i));
        else
            appendLine(out, std::string(k.key).append(kOwnTextSuffix), shown);
    }
    for (std::size_t i = kPanelKeys; i < std::size(kTextKeys); ++i)
        text(kTextKeys[i]);
    appendLine(out, kGridShownKey, s.plot.gridShown ? u"1" : u"0");
    return out;
}

std::variant<GraphSession, GraphSessionError> readGraphSession(std::string_view bytes)
{
    if (bytes.size() > kMaxGraphSessionBytes)
        return GraphSessionError { 0, u"dosya 1 MB'tan büyük" };
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    GraphSession session;
    std::size_t lineNumber = 0;
    while (!bytes.empty() || lineNumber == 0) {
        ++lineNumber;
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        for (std::size_t i = 0; i < line.size();) {
            if (line[i] == '\0')
                return GraphSessionError { lineNumber, u"metin değil (NUL baytı var)" };
            const std::size_t len = utf8Length(line.substr(i));
            if (len == 0)
                return GraphSessionError { lineNumber, u"metin değil (geçersiz UTF-8)" };
            i += len;
        }
        const std::u16string text = utf8ToUtf16(line);
        if (lineNumber == 1) {
            if (auto problem = headerProblem(text))
                return GraphSessionError { lineNumber, std::move(*problem) };
            continue;
        }
        const std::u16string content = trimmed(text);
        if (content.empty() || content[0] == u'#')
            continue;
        const std::size_t eq = content.find(u'=');
        if (eq == std::u16string::npos)
            return GraphSessionError { lineNumber, u"\"anahtar = değer\" biçiminde değil" };
        const std::string key = utf16ToUtf8(trimmed(std::u16string_view(content).substr(0, eq)));
        const std::u16string value = trimmed(std::u16string_view(content).substr(eq + 1));
        if (auto problem = apply(session, key, value))
            return GraphSessionError { lineNumber, std::move(*problem) };
    }
    return session;
}

} // namespace quarnis
