#pragma once
// The history of EXEC: every formula evaluated, with the text the result field then showed
// and the decimals it was shown with, oldest first. Kept within two bounds, in memory as in
// the history file (history_store.h): the last kMaxHistoryEntries entries and
// kMaxHistoryFormulaText characters of formula text, the oldest entries dropped first.
//
//   shownFormula("1+2\r\n*3")           -> "1+2 ⏎ *3"
//   shownFormula(300 characters "1")    -> its first 200 characters and "…"
//   entryLine({"1+2\r\n*3", "Yazım hatası..."}) -> "1+2 *3 = Yazım hatası..."

#include <QString>

#include <deque>

namespace quarnis {

inline constexpr qsizetype kMaxHistoryEntries = 1000;
// 64 MB of formula text, counted in UTF-16 code units: one per character of the formulas
// the engine reads.
inline constexpr qsizetype kMaxHistoryFormulaText = qsizetype(64) << 20;
// Longest formula the list shows in its line; the entry keeps the whole text.
inline constexpr qsizetype kMaxShownFormula = 200;

struct HistoryEntry {
    QString formula; // as EXEC took it, lines ending in CR LF
    QString result; // the result field's text: a number or the engine's error text
    int decimals = -1; // -1: unrounded, 0 to 9
    bool failed = false; // the result is an error text
    quint64 id = 0; // tells the entry apart in the history file; 0 until it gets one

    bool operator==(const HistoryEntry&) const = default;
};

// The formula on one line: each line break (CR LF, CR or LF) shown as " ⏎ ", cut after
// kMaxShownFormula characters with "…". Reads no more of the formula than it shows.
QString shownFormula(const QString& formula);

// "formula = result", the formula's line breaks as single spaces: the line that copying and
// saving write for an entry.
QString entryLine(const HistoryEntry& entry);

struct HistoryBounds {
    qsizetype entries = kMaxHistoryEntries;
    qsizetype formulaText = kMaxHistoryFormulaText; // in UTF-16 code units
};

class History {
public:
    explicit History(HistoryBounds bounds = {});

    qsizetype size() const { return qsizetype(entries_.size()); }
    const HistoryEntry& at(qsizetype row) const { return entries_[std::size_t(row)]; }
    qsizetype formulaText() const { return formulaText_; }

    // Whether add() keeps a formula of this length: not one longer than the whole bound.
    bool fits(qsizetype formulaLength) const;
    // How many of the oldest entries add() drops to make room for a formula of this length
    // (none for a formula that does not fit: it is not kept, and the entries before it stay).
    qsizetype dropsFor(qsizetype formulaLength) const;
    // Appends the entry after dropping the oldest entries it needs room for.
    void add(HistoryEntry entry);

    // Removes `count` entries from `row` on.
    void remove(qsizetype row, qsizetype count);
    void clear();

private:
    HistoryBounds bounds_;
    std::deque<HistoryEntry> entries_;
    qsizetype formulaText_ = 0;
};

} // namespace quarnis
