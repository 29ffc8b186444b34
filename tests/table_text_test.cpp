// The tabulation as a table: the header, one row per result line, failed points with their
// error text, and the quoting that tab-separated and comma-separated text need.

#include "tabulation/table_text.h"

#include <gtest/gtest.h>

namespace {

using quarnis::csvTable;
using quarnis::tabSeparatedTable;

struct TableCase {
    const char* name;
    std::u16string variable, definition;
    std::vector<std::u16string> lines;
    std::u16string tsv, csv;
};

TEST(TableText, HeaderRowsAndQuoting)
{
    const TableCase cases[] = {
        { "no lines: the header alone", u"t", u"F(t):=t", {}, u"t\tF(t):=t\n", u"t,F(t):=t\r\n" },
        { "points in line order", u"t", u"F(t):=t*t",
            { u"[0]:(0,0)", u"[1]:(0.5,0.25)", u"[2]:(-1E-6,1E-12)" },
            u"t\tF(t):=t*t\n0\t0\n0.5\t0.25\n-1E-6\t1E-12\n",
            u"t,F(t):=t*t\r\n0,0\r\n0.5,0.25\r\n-1E-6,1E-12\r\n" },
        { "a failed point keeps its error text", u"x", u"F(x):=ln(x)",
            { u"[0]:(-1,Yazım Hatası...)", u"[1]:(1,0)" },
            u"x\tF(x):=ln(x)\n-1\tYazım Hatası...\n1\t0\n",
            u"x,F(x):=ln(x)\r\n-1,Yazım Hatası...\r\n1,0\r\n" },
        { "a definition with a comma and quotes", u"t", u"F(t):=\"a\",b", { u"[0]:(1,2)" },
            u"t\tF(t):=\"a\",b\n1\t2\n", u"t,\"F(t):=\"\"a\"\",b\"\r\n1,2\r\n" },
        { "a definition with a tab and a line break", u"t", u"F(t):=t\t+\n1", { u"[0]:(1,2)" },
            u"t\tF(t):=t + 1\n1\t2\n", u"t,\"F(t):=t\t+\n1\"\r\n1,2\r\n" },
        { "a carriage return alone", u"t", u"F(t):=\r1", {}, u"t\tF(t):= 1\n",
            u"t,\"F(t):=\r1\"\r\n" },
        { "an empty variable name", u"", u"F():=1", { u"[0]:(0,1)" }, u"\tF():=1\n0\t1\n",
            u",F():=1\r\n0,1\r\n" },
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tabSeparatedTable(c.variable, c.definition, c.lines), c.tsv);
        EXPECT_EQ(csvTable(c.variable, c.definition, c.lines), c.csv);
    }
}

} // namespace
