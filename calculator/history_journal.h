#pragma once
// The history file's format: a journal that EXEC only ever appends to. The first line names
// the format and its version; every entry is then one line of its own:
//
//   quarnis-history 1
//   1c291ca3 8f3a0c55d1e2b7a4 11 3 0 2*sin(Pi/6)\t1
//   <crc32> <id> <formula length> <decimals> <failed> <formula>\t<result>
//
// The formula and the result are UTF-8 with "\" written "\\", LF "\n", CR "\r" and TAB "\t",
// so no line break or tab is ever part of a text. The checksum (CRC-32, 8 hex digits) covers
// the line from the id to its end; the id (16 hex digits) tells entries apart when some are
// deleted; the formula's length is in UTF-16 code units, as the bounds count it. A line that
// lacks its line feed or fails its checksum is not an entry: a record torn by a crash is
// dropped whole, and never changes the meaning of the lines around it.

#include "history.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

class QIODevice;

namespace quarnis {

inline constexpr QByteArrayView kHistoryMagic = "quarnis-history ";
inline constexpr int kHistoryVersion = 1;
inline constexpr QByteArrayView kHistoryHeader = "quarnis-history 1\n";
// Longest line an entry within the bounds can take: each UTF-16 unit of its formula as at
// most three bytes of UTF-8 (or two of an escape), its result and the fields around them.
inline constexpr qint64 kMaxHistoryRecordBytes = 3 * kMaxHistoryFormulaText + (qint64(1) << 20);

quint32 crc32(QByteArrayView bytes);

// The entry as one line, line feed included.
QByteArray encodeRecord(const HistoryEntry& entry);
// The entry of one line (without its line feed); nothing when the line is not a whole entry.
std::optional<HistoryEntry> decodeRecord(QByteArrayView line);

// Where one entry's line lies in the file.
struct RecordPlace {
    qint64 offset = 0;
    qint64 length = 0; // line feed included
    quint64 id = 0;
    qsizetype units = 0; // the formula's length
};

// The file read line by line without keeping the entries, only where they are.
struct JournalIndex {
    enum class State {
        Entries, // the header, then entries (or nothing)
        Empty, // nothing, or a header cut short as the file was made
        NewerVersion, // "quarnis-history 2" or later
        Foreign, // anything else
    };
    State state = State::Empty;
    std::vector<RecordPlace> records;
    qint64 damaged = 0; // whole lines that are no entry
    bool tornTail = false; // the last line lacks its line feed
    qint64 end = 0; // after the last whole line

    bool readable() const { return state == State::Entries || state == State::Empty; }
};

// Reads `size` bytes from the device's start in pieces of a few megabytes: memory stays at one
// piece or one line, however long the file.
JournalIndex indexJournal(QIODevice& file, qint64 size);

// Which records the bounds keep, newest last: the newest ones, skipping those `removed` names
// (sorted ids).
std::vector<RecordPlace> keptRecords(const std::vector<RecordPlace>& records,
    const std::vector<quint64>& removed, const HistoryBounds& bounds);

// The entries of the given records, oldest first; a record that no longer reads is left out.
std::vector<HistoryEntry> readRecords(QIODevice& file, const std::vector<RecordPlace>& records);

// A whole file in memory: the entries the bounds keep, as the program would load them.
std::vector<HistoryEntry> readJournal(const QByteArray& bytes, const HistoryBounds& bounds = {});

} // namespace quarnis
