#include "table_text.h"

#include "graph.h"

#include <array>

namespace quarnis {

namespace {

    using Row = std::array<std::u16string, 2>;

    // The header and one row per result line, read as the point table reads them.
    std::vector<Row> rows(std::u16string_view variable, std::u16string_view definition,
        const std::vector<std::u16string>& resultLines)
    {
        std::vector<Row> rows;
        rows.reserve(resultLines.size() + 1);
        rows.push_back({ std::u16string(variable), std::u16string(definition) });
        for (const std::u16string& line : resultLines)
            rows.push_back({ std::u16string(textBetween(line, u"(", u",")),
                std::u16string(textBetween(line, u",", u")")) });
        return rows;
    }

    std::u16string tsvField(std::u16string field)
    {
        for (char16_t& c : field) {
            if (c == u'\t' || c == u'\n' || c == u'\r')
                c = u' ';
        }
        return field;
    }

    std::u16string csvField(const std::u16string& field)
    {
        if (field.find_first_of(u",\"\r\n") == std::u16string::npos)
            return field;
        std::u16string quoted = u"\"";
        for (char16_t c : field) {
            if (c == u'"')
                quoted += u'"';
            quoted += c;
        }
        return quoted + u'"';
    }

} // namespace

std::u16string tabSeparatedTable(std::u16string_view variable, std::u16string_view definition,
    const std::vector<std::u16string>& resultLines)
{
    std::u16string text;
    for (const Row& row : rows(variable, definition, resultLines))
        text += tsvField(row[0]) + u'\t' + tsvField(row[1]) + u'\n';
    return text;
}

std::u16string csvTable(std::u16string_view variable, std::u16string_view definition,
    const std::vector<std::u16string>& resultLines)
{
    std::u16string text;
    for (const Row& row : rows(variable, definition, resultLines))
        text += csvField(row[0]) + u',' + csvField(row[1]) + u"\r\n";
    return text;
}

} // namespace quarnis
