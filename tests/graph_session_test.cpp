// The graph work file: every field written and read back exactly, awkward texts included; the
// files it refuses, with the line; unknown and missing keys.

#include "session/graph_session.h"

#include "engine/utf.h"

#include <gtest/gtest.h>

#include <string>

using namespace quarnis;

namespace {

GraphSession read(const std::string& bytes)
{
    auto result = readGraphSession(bytes);
    if (auto* error = std::get_if<GraphSessionError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << utf16ToUtf8(error->reason);
        return {};
    }
    return std::get<GraphSession>(result);
}

// Every field away from its start state.
GraphSession awkward()
{
    GraphSession s;
    s.panel = { u"  Ğ = ", u"ş", u"a\\b", u"c\nd", u"\r", u"1 = 2", u" ", u"", u"SIN(ş)*ı", u"\t-1",
        u"a\\nb\\", u"7" };
    s.panel.definition += u"\U0001F600";
    s.panel.const3 = std::u16string(1, char16_t(0xD83D)) + u'\0' + u"#x";
    s.decimals = -1;
    PlotControls& p = s.plot;
    p.areaColor = makeRgb(1, 2, 3);
    p.titleColor = makeRgb(0xAB, 0xCD, 0xEF);
    p.curveColor = makeRgb(255, 255, 255);
    p.axesColor = makeRgb(0, 0, 0);
    p.gridColor = makeRgb(16, 32, 64);
    p.areaStyle = u"Çapraz Kareli";
    p.curveKind = u"Çizgi";
    p.curveWidth = u"$3";
    p.titleFont = u"DejaVu Serif"; // a text of its own
    p.curveStyle = u"Kesikli/Noktalı";
    p.axesWidth = u"abc";
    p.axesStyle = u"noktalı ";
    p.scaleMeasure = u"Ort";
    p.xOrigin = u"3/4";
    p.yOrigin = u"2/3";
    p.xScale = u" 1E400";
    p.yScale = u"-0.5 ";
    p.gridShown = false;
    p.gridStyle = u"Normal";
    p.gridCount = u"";
    return s;
}

TEST(GraphSession, EveryFieldComesBackExactly)
{
    for (const GraphSession& s : { GraphSession(), awkward() }) {
        const std::string file = writeGraphSession(s);
        EXPECT_TRUE(file.starts_with("quarnis-graph 1\n"));
        EXPECT_EQ(read(file), s) << file;
    }
    const std::string file = writeGraphSession(awkward());
    for (const char* line : { "function.name = \\s\\sĞ =\\s\n", "function.const", "\\u0000",
             "axes.y-origin.text = 2/3\n", "axes.x-origin = 2\n", "title.color = #abcdef\n",
             "function.from = \\t-1\n", "grid.shown = 0\n", "decimals = -1\n" })
        EXPECT_NE(file.find(line), std::string::npos) << line;
}

TEST(GraphSession, UnknownKeysAreIgnoredAndMissingKeysKeepTheStartState)
{
    const GraphSession s = read("quarnis-graph 1.7\r\n\n# a comment\n  future.key = \\q\n"
                                "curve.kind = 1\nfunction.definition=t*t\n");
    GraphSession expected;
    expected.plot.curveKind = u"Çizgi";
    expected.panel.definition = u"t*t";
    EXPECT_EQ(s, expected);
    EXPECT_EQ(read("\xEF\xBB\xBFquarnis-graph 1"), GraphSession());
}

TEST(GraphSession, RefusesWithTheLine)
{
    const std::string head = "quarnis-graph 1\n";
    const struct {
        std::string file;
        std::size_t line;
        const char16_t* reason; // the start of it
    } rows[] = {
        { "", 1, u"bir grafik çalışması değil" },
        { "quarnis-graph x\n", 1, u"bir grafik çalışması değil" },
        { "quarnis-graph 2\n", 1, u"programın bu sürümünden yeni" },
        { head + "area.color = #12345\n", 2, u"area.color: renk #rrggbb" },
        { head + "curve.kind = 2\n", 2, u"curve.kind: \"2\" numaralı seçenek yok (0 ile 1" },
        { head + "area.style = -1\n", 2, u"area.style: \"-1\" numaralı" },
        { head + "grid.style = 1x\n", 2, u"grid.style: \"1x\" numaralı" },
        { head + "decimals = 10\n", 2, u"decimals: ondalık -1 ile 9" },
        { head + "grid.shown = yes\n", 2, u"grid.shown: 0 ya da 1" },
        { head + "scale.x = 1\\x\n", 2, u"scale.x: geçersiz kaçış" },
        { head + "scale.x = 1\\\n", 2, u"scale.x: geçersiz kaçış" },
        { head + "function.name = \\u12g4\n", 2, u"function.name: geçersiz kaçış" },
        { head + "just text\n", 2, u"\"anahtar = değer\"" },
        { head + "\nfunction.name = a" + std::string(1, '\0') + "b\n", 3, u"metin değil (NUL" },
        { head + "function.name = \xC3\x28\n", 2, u"metin değil (geçersiz UTF-8)" },
        { head + "function.name = \xED\xA0\x80\n", 2, u"metin değil (geçersiz UTF-8)" },
        { head + "function.name = " + std::string(kMaxGraphSessionBytes, 'a'), 0,
            u"dosya 1 MB'tan büyük" },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file.substr(0, 60));
        auto result = readGraphSession(r.file);
        const auto* error = std::get_if<GraphSessionError>(&result);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line, r.line);
        EXPECT_TRUE(error->reason.starts_with(r.reason)) << utf16ToUtf8(error->reason);
    }
}

} // namespace
