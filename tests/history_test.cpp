// The history's bounds, the shown line of a formula and the history window's place beside the
// calculator: plain values, no window.

#include "calculator/history.h"
#include "calculator/history_window.h"

#include <gtest/gtest.h>

using namespace quarnis;
using namespace Qt::StringLiterals;

namespace {

TEST(History, TheBoundsDropTheOldestFirst)
{
    History history;
    for (int i = 0; i <= kMaxHistoryEntries; ++i)
        history.add({ QString::number(i), {}, -1, false });
    EXPECT_EQ(history.size(), kMaxHistoryEntries);
    EXPECT_EQ(history.at(0).formula, u"1"_s);

    // 64 formulas of a megabyte fill the text bound; the next drops the oldest, and the
    // oldest small entries go before them.
    history.clear();
    const QString megabyte(qsizetype(1) << 20, u'1'); // shared by every entry
    history.add({ u"small"_s, {}, -1, false });
    for (int i = 0; i < 64; ++i)
        history.add({ megabyte, QString::number(i), -1, false });
    EXPECT_EQ(history.size(), 64);
    EXPECT_EQ(history.at(0).result, u"0"_s);
    history.add({ u"2"_s, {}, -1, false });
    EXPECT_EQ(history.size(), 64);
    EXPECT_EQ(history.at(0).result, u"1"_s);
    EXPECT_EQ(history.formulaText(), 63 * megabyte.size() + 1);
    // A formula above the whole bound is not kept, and takes nothing with it.
    history.add({ megabyte.repeated(65), {}, -1, false });
    EXPECT_EQ(history.size(), 64);
}

TEST(History, ShownFormula)
{
    const QString s199(199, u'7');
    const struct {
        QString formula, shown;
    } rows[] = {
        { u"1\r\n2\n3\r4"_s, u"1 ⏎ 2 ⏎ 3 ⏎ 4"_s }, { QString(200, u'7'), QString(200, u'7') },
        { QString(201, u'7'), QString(200, u'7') + u"…"_s },
        { s199 + u"\r\n8"_s, s199 + u" ⏎ …"_s }, // CR LF across the cut
        { s199 + u"😀8"_s, s199 + u"…"_s }, // no half character at the cut
    };
    for (const auto& r : rows)
        EXPECT_EQ(shownFormula(r.formula), r.shown) << r.formula.left(20).toStdString();
}

// A 340 x 549 frame on a 1280 x 1024 screen, beside the calculator without covering it.
TEST(History, PlacedBesideWithoutCovering)
{
    const struct {
        QRect anchor, placed;
    } rows[] = {
        { QRect(487, 237, 306, 549), QRect(801, 237, 340, 549) }, // right
        { QRect(900, 237, 306, 549), QRect(552, 237, 340, 549) }, // left
        { QRect(300, 600, 680, 549), QRect(988, 475, 292, 549) }, // narrowed
        { QRect(100, 0, 1100, 549), QRect(1080, 0, 200, 549) }, // no room
    };
    for (const auto& r : rows)
        EXPECT_EQ(placeBeside(r.anchor, QSize(340, 549), QRect(0, 0, 1280, 1024)), r.placed)
            << r.anchor.x();
}

} // namespace
