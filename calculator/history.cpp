#include "history.h"

#include <QStringView>

#include <algorithm>

namespace quarnis {

namespace {

    // The formula's lines joined by `separator`: CR LF, CR and LF each make one break.
    QString joinLines(QStringView formula, QStringView separator)
    {
        QString out;
        out.reserve(formula.size());
        for (qsizetype i = 0; i < formula.size(); ++i) {
            const QChar c = formula[i];
            if (c != u'\r' && c != u'\n') {
                out += c;
                continue;
            }
            out += separator;
            if (c == u'\r' && i + 1 < formula.size() && formula[i + 1] == u'\n')
                ++i;
        }
        return out;
    }

} // namespace

QString shownFormula(const QString& formula)
{
    if (formula.size() <= kMaxShownFormula)
        return joinLines(formula, u" \u23CE ");
    qsizetype cut = kMaxShownFormula;
    if (formula[cut - 1].isHighSurrogate())
        --cut; // never half a character
    return joinLines(QStringView(formula).left(cut), u" \u23CE ") + QChar(0x2026); // "…"
}

QString entryLine(const HistoryEntry& entry)
{
    return joinLines(entry.formula, u" ") + QStringLiteral(" = ") + entry.result;
}

History::History(HistoryBounds bounds)
    : bounds_(bounds)
{
}

bool History::fits(qsizetype formulaLength) const { return formulaLength <= bounds_.formulaText; }

qsizetype History::dropsFor(qsizetype formulaLength) const
{
    if (!fits(formulaLength))
        return 0;
    qsizetype drops = std::max<qsizetype>(0, size() + 1 - bounds_.entries);
    qsizetype text = formulaText_;
    for (qsizetype row = 0; row < drops; ++row)
        text -= at(row).formula.size();
    while (text + formulaLength > bounds_.formulaText)
        text -= at(drops++).formula.size();
    return drops;
}

void History::add(HistoryEntry entry)
{
    if (!fits(entry.formula.size()))
        return;
    remove(0, dropsFor(entry.formula.size()));
    formulaText_ += entry.formula.size();
    entries_.push_back(std::move(entry));
}

void History::remove(qsizetype row, qsizetype count)
{
    const auto first = entries_.begin() + row;
    for (auto it = first; it != first + count; ++it)
        formulaText_ -= it->formula.size();
    entries_.erase(first, first + count);
}

void History::clear()
{
    entries_.clear();
    formulaText_ = 0;
}

} // namespace quarnis
