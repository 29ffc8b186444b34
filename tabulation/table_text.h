#pragma once
// The tabulation as a table for other programs: a header line naming the variable and the
// full definition, then one line per result line with x and f(x). A point at which the
// function failed keeps its error text in the f(x) column.
//
//   variable "t", definition "F(t):=t*t", lines "[0]:(0,0)", "[1]:(0.5,0.25)":
//     tabSeparatedTable -> "t\tF(t):=t*t\n0\t0\n0.5\t0.25\n"
//     csvTable          -> "t,F(t):=t*t\r\n0,0\r\n0.5,0.25\r\n"

#include <string>
#include <string_view>
#include <vector>

namespace quarnis {

// Tab-separated lines ending in "\n", as spreadsheets take them from the clipboard. A tab or
// line break inside a field (only a typed definition can hold one) becomes a blank.
std::u16string tabSeparatedTable(std::u16string_view variable, std::u16string_view definition,
    const std::vector<std::u16string>& resultLines);

// Comma-separated values: lines ending in CR LF, a field holding a comma, a double quote, CR
// or LF enclosed in double quotes with its quotes doubled. The numbers keep their "." as
// decimal point.
std::u16string csvTable(std::u16string_view variable, std::u16string_view definition,
    const std::vector<std::u16string>& resultLines);

} // namespace quarnis
