// Fuzz target for the history file's reader: any bytes as the file never crash it, the
// entries it accepts stay within the bounds, and written back as a file they read back the
// same. Input: a byte for the bounds, a byte for the form, then the file. Form 0 reads the
// bytes as they are; form 1 puts the header first and gives each line its checksum, so the
// search reaches the fields behind it.

#include "calculator/history_journal.h"
#include "fuzz_support.h"

#include <QByteArray>
#include <QList>

using namespace quarnis;
using quarnis::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quarnis::fuzz::Bytes in { data, size };
    const std::uint8_t bounds = in.byte();
    const HistoryBounds small { bounds % 8 + 1, (bounds >> 3) * 4 };
    const HistoryBounds& chosen = bounds == 0 ? HistoryBounds {} : small;
    const bool withChecksums = in.byte() % 2 == 1;
    const QByteArray raw(reinterpret_cast<const char*>(in.data), qsizetype(in.size));
    QByteArray file;
    if (withChecksums) {
        file = kHistoryHeader.toByteArray();
        const QList<QByteArray> lines = raw.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            file += QByteArray::number(crc32(lines[i]), 16).rightJustified(8, '0') + ' ' + lines[i];
            if (i + 1 < lines.size())
                file += '\n'; // the last line stays torn unless the input ends the line
        }
    } else {
        file = raw;
    }

    const std::vector<HistoryEntry> entries = readJournal(file, chosen);
    qsizetype text = 0;
    for (const HistoryEntry& entry : entries)
        text += entry.formula.size();
    check(qsizetype(entries.size()) <= chosen.entries && text <= chosen.formulaText,
        "the entries read stay within the bounds");

    QByteArray again = kHistoryHeader.toByteArray();
    for (const HistoryEntry& entry : entries)
        again += encodeRecord(entry);
    check(readJournal(again, chosen) == entries, "the entries written back read the same");
    return 0;
}
