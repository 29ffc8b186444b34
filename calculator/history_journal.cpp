#include "history_journal.h"

#include <QBuffer>
#include <QIODevice>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace quarnis {

namespace {

    // CRC-32 (the polynomial of zlib and PNG), eight bytes a step: a megabyte formula's line
    // is checked in well under a millisecond.
    constexpr auto kCrcTables = [] {
        std::array<std::array<quint32, 256>, 8> t {};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            t[0][i] = c;
        }
        for (std::size_t s = 1; s < 8; ++s)
            for (std::size_t i = 0; i < 256; ++i)
                t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFFu];
        return t;
    }();

    constexpr qsizetype kCrcDigits = 8;
    constexpr qsizetype kIdDigits = 16;
    constexpr qint64 kPiece = qint64(4) << 20; // read at a time

    void appendEscaped(QByteArray& out, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        qsizetype from = 0;
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            const char c = utf8[i];
            const char* escape = c == '\\' ? "\\\\"
                : c == '\n'                ? "\\n"
                : c == '\r'                ? "\\r"
                : c == '\t'                ? "\\t"
                                           : nullptr;
            if (!escape)
                continue;
            out.append(utf8.constData() + from, i - from).append(escape, 2);
            from = i + 1;
        }
        out.append(utf8.constData() + from, utf8.size() - from);
    }

    std::optional<QString> unescaped(QByteArrayView text)
    {
        qsizetype slash = text.indexOf('\\');
        if (slash < 0)
            return QString::fromUtf8(text);
        QByteArray utf8;
        utf8.reserve(text.size());
        qsizetype from = 0;
        for (; slash >= 0; slash = text.indexOf('\\', from)) {
            if (slash + 1 == text.size())
                return std::nullopt;
            utf8.append(text.sliced(from, slash - from));
            switch (text[slash + 1]) {
            case '\\':
                utf8 += '\\';
                break;
            case 'n':
                utf8 += '\n';
                break;
            case 'r':
                utf8 += '\r';
                break;
            case 't':
                utf8 += '\t';
                break;
            default:
                return std::nullopt;
            }
            from = slash + 2;
        }
        utf8.append(text.sliced(from));
        return QString::fromUtf8(utf8);
    }

    // The next field up to a space (taken off `rest`) as a number in the base.
    template <typename T> std::optional<T> field(QByteArrayView& rest, int base = 10)
    {
        const qsizetype space = rest.indexOf(' ');
        if (space <= 0)
            return std::nullopt;
        T value {};
        const auto [end, ec] = std::from_chars(rest.data(), rest.data() + space, value, base);
        if (ec != std::errc() || end != rest.data() + space)
            return std::nullopt;
        rest = rest.sliced(space + 1);
        return value;
    }

    // The line's checksum holds, and its id and formula length read: the record's place.
    std::optional<RecordPlace> placeOf(QByteArrayView line)
    {
        if (line.size() < kCrcDigits + 1 + kIdDigits + 1 || line[kCrcDigits] != ' '
            || line[kCrcDigits + 1 + kIdDigits] != ' ')
            return std::nullopt;
        QByteArrayView rest = line;
        const auto crc = field<quint32>(rest, 16);
        if (!crc || *crc != crc32(rest))
            return std::nullopt;
        const auto id = field<quint64>(rest, 16);
        const auto units = field<qsizetype>(rest);
        if (!id || !units || *units < 0)
            return std::nullopt;
        return RecordPlace { 0, line.size() + 1, *id, *units };
    }

} // namespace

quint32 crc32(QByteArrayView bytes)
{
    const auto& t = kCrcTables;
    quint32 c = 0xFFFFFFFFu;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype n = bytes.size();
    for (; n >= 8; p += 8, n -= 8) {
        quint32 low, high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + 4, 4);
        low ^= c;
        c = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu]
            ^ t[4][low >> 24] ^ t[3][high & 0xFFu] ^ t[2][(high >> 8) & 0xFFu]
            ^ t[1][(high >> 16) & 0xFFu] ^ t[0][high >> 24];
    }
    for (; n > 0; ++p, --n)
        c = (c >> 8) ^ t[0][(c ^ *p) & 0xFFu];
    return ~c;
}

QByteArray encodeRecord(const HistoryEntry& entry)
{
    QByteArray body;
    body.reserve(entry.formula.size() + entry.result.size() + 48);
    body += QByteArray::number(entry.id, 16).rightJustified(kIdDigits, '0') + ' '
        + QByteArray::number(entry.formula.size()) + ' ' + QByteArray::number(entry.decimals) + ' '
        + (entry.failed ? '1' : '0') + ' ';
    appendEscaped(body, entry.formula);
    body += '\t';
    appendEscaped(body, entry.result);
    QByteArray line = QByteArray::number(crc32(body), 16).rightJustified(kCrcDigits, '0');
    line.reserve(line.size() + body.size() + 2);
    return line + ' ' + body + '\n';
}

namespace {

    // The fields of a line whose checksum and place were read already.
    std::optional<HistoryEntry> decodeFields(QByteArrayView line, const RecordPlace& place)
    {
        QByteArrayView rest = line.sliced(kCrcDigits + 1 + kIdDigits + 1);
        (void)field<qsizetype>(rest); // the length, read above
        const auto decimals = field<int>(rest);
        const auto failed = field<int>(rest);
        const qsizetype tab = rest.indexOf('\t');
        if (!decimals || *decimals < -1 || *decimals > 9 || !failed || *failed < 0 || *failed > 1
            || tab < 0)
            return std::nullopt;
        std::optional<QString> formula = unescaped(rest.first(tab));
        std::optional<QString> result = unescaped(rest.sliced(tab + 1));
        if (!formula || !result || formula->size() != place.units)
            return std::nullopt;
        return HistoryEntry { std::move(*formula), std::move(*result), *decimals, *failed == 1,
            place.id };
    }

} // namespace

std::optional<HistoryEntry> decodeRecord(QByteArrayView line)
{
    const std::optional<RecordPlace> place = placeOf(line);
    return place ? decodeFields(line, *place) : std::nullopt;
}

JournalIndex indexJournal(QIODevice& file, qint64 size)
{
    JournalIndex index;
    const QByteArray head = file.read(std::min<qint64>(size, 64));
    const qsizetype firstLine = head.indexOf('\n');
    if (head.startsWith(kHistoryHeader)) {
        index.state = JournalIndex::State::Entries;
    } else if (size < kHistoryHeader.size() && kHistoryHeader.startsWith(head)) {
        return index; // Empty: made, but cut before its header was whole
    } else {
        int version = 0;
        const QByteArrayView number = firstLine > kHistoryMagic.size()
            ? QByteArrayView(head).sliced(kHistoryMagic.size(), firstLine - kHistoryMagic.size())
            : QByteArrayView();
        const auto [end, ec]
            = std::from_chars(number.data(), number.data() + number.size(), version);
        const bool newer = head.startsWith(kHistoryMagic) && !number.isEmpty() && ec == std::errc()
            && end == number.data() + number.size() && version > kHistoryVersion;
        index.state = newer ? JournalIndex::State::NewerVersion : JournalIndex::State::Foreign;
        return index;
    }

    qint64 at = kHistoryHeader.size();
    index.end = at;
    if (!file.seek(at))
        return index;
    QByteArray line; // a line that runs on from one piece into the next
    bool overlong = false;
    qint64 lineStart = at;
    const auto finishLine = [&](QByteArrayView text, qint64 end) {
        std::optional<RecordPlace> place = overlong ? std::nullopt : placeOf(text);
        if (place) {
            place->offset = lineStart;
            index.records.push_back(*place);
        } else {
            ++index.damaged;
        }
        line.clear();
        overlong = false;
        lineStart = end;
        index.end = end;
    };
    while (at < size) {
        const QByteArray piece = file.read(std::min(kPiece, size - at));
        if (piece.isEmpty())
            break;
        qsizetype from = 0;
        for (qsizetype feed; (feed = piece.indexOf('\n', from)) >= 0; from = feed + 1) {
            const QByteArrayView text = QByteArrayView(piece).sliced(from, feed - from);
            if (line.isEmpty() && !overlong) {
                finishLine(text, at + feed + 1);
                continue;
            }
            overlong = overlong || line.size() + text.size() > kMaxHistoryRecordBytes;
            if (!overlong)
                line += text;
            finishLine(line, at + feed + 1);
        }
        overlong = overlong || line.size() + piece.size() - from > kMaxHistoryRecordBytes;
        if (overlong)
            line.clear();
        else
            line.append(piece.constData() + from, piece.size() - from);
        at += piece.size();
    }
    index.tornTail = index.end < size;
    return index;
}

std::vector<RecordPlace> keptRecords(const std::vector<RecordPlace>& records,
    const std::vector<quint64>& removed, const HistoryBounds& bounds)
{
    std::vector<RecordPlace> kept;
    qsizetype text = 0;
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (std::binary_search(removed.begin(), removed.end(), it->id)
            || it->units > bounds.formulaText)
            continue; // deleted, or longer than the whole bound: never kept
        if (qsizetype(kept.size()) == bounds.entries || text + it->units > bounds.formulaText)
            break;
        text += it->units;
        kept.push_back(*it);
    }
    std::reverse(kept.begin(), kept.end());
    return kept;
}

std::vector<HistoryEntry> readRecords(QIODevice& file, const std::vector<RecordPlace>& records)
{
    std::vector<HistoryEntry> entries;
    entries.reserve(records.size());
    for (const RecordPlace& place : records) {
        if (!file.seek(place.offset))
            continue;
        const QByteArray line = file.read(place.length);
        if (line.size() != place.length || !line.endsWith('\n'))
            continue;
        // Checked as it was indexed; a file is never changed in place but at a torn end.
        if (std::optional<HistoryEntry> entry
            = decodeFields(QByteArrayView(line).chopped(1), place))
            entries.push_back(std::move(*entry));
    }
    return entries;
}

std::vector<HistoryEntry> readJournal(const QByteArray& bytes, const HistoryBounds& bounds)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const JournalIndex index = indexJournal(buffer, bytes.size());
    if (index.state != JournalIndex::State::Entries)
        return {};
    return readRecords(buffer, keptRecords(index.records, {}, bounds));
}

} // namespace quarnis
