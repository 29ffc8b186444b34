#include "history_store.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace quarnis {

namespace {

    constexpr int kLockWait = 5000; // ms; another copy holds the lock only while it writes
    const QString kKeepKey = u"history/keep"_s;

    QString errorText(int error)
    {
        if (error == EACCES || error == EPERM)
            return u"izin yok"_s;
        if (error == ENOSPC)
            return u"diskte yer yok"_s;
        return QString::fromLocal8Bit(std::strerror(error));
    }

    bool writeAll(int fd, const char* data, qint64 size)
    {
        while (size > 0) {
            const ssize_t written = ::write(fd, data, std::size_t(size));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            data += written;
            size -= written;
        }
        return true;
    }

    bool readAt(int fd, char* data, qint64 size, qint64 offset)
    {
        while (size > 0) {
            const ssize_t got = ::pread(fd, data, std::size_t(size), offset);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            data += got;
            size -= got;
            offset += got;
        }
        return true;
    }

    // The file descriptor closed at the end of the scope.
    struct Descriptor {
        int fd;
        ~Descriptor()
        {
            if (fd >= 0)
                ::close(fd);
        }
    };

} // namespace

HistoryStore::HistoryStore(QString folder, QString settingsFile, HistoryBounds bounds)
    : folder_(std::move(folder))
    , path_(folder_ + u"/history"_s)
    , lockPath_(folder_ + u"/history.lock"_s)
    , settings_(settingsFile, QSettings::IniFormat)
    , bounds_(bounds)
{
}

QString HistoryStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString HistoryStore::defaultSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + u"/quarnis/quarnis.conf"_s;
}

bool HistoryStore::keeping()
{
    settings_.sync();
    return settings_.value(kKeepKey, true).toBool();
}

void HistoryStore::setKeeping(bool keep)
{
    settings_.setValue(kKeepKey, keep);
    settings_.sync();
    if (settings_.status() != QSettings::NoError)
        notice(u"settings"_s,
            u"Ayar \"%1\" dosyasına yazılamadı; seçim yalnızca bu çalışmada geçerli."_s.arg(
                settings_.fileName()));
    if (keep)
        return;
    setLive({}, 0);
    QLockFile lock(lockPath_);
    struct stat st;
    if (lock.tryLock(kLockWait) && ::lstat(QFile::encodeName(path_).constData(), &st) == 0
        && S_ISREG(st.st_mode))
        ::unlink(QFile::encodeName(path_).constData());
}

std::vector<HistoryEntry> HistoryStore::load()
{
    setLive({}, 0);
    if (!keeping())
        return {};
    const QByteArray name = QFile::encodeName(path_);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        return {}; // none yet
    QString reason;
    Descriptor file { -1 };
    if (S_ISLNK(st.st_mode))
        reason = u"bir sembolik bağlantı"_s;
    else if (S_ISDIR(st.st_mode))
        reason = u"bir klasör"_s;
    else if (!S_ISREG(st.st_mode))
        reason = u"sıradan bir dosya değil"_s;
    else if (st.st_size > kMaxHistoryFileBytes)
        reason = u"%1 MB, okunabilecek olandan büyük"_s.arg(st.st_size >> 20);
    else if ((file.fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC))
        < 0)
        reason = errorText(errno);

    JournalIndex index;
    std::vector<RecordPlace> kept;
    std::vector<HistoryEntry> entries;
    if (reason.isEmpty()) {
        QFile journal;
        journal.open(file.fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
        index = indexJournal(journal, st.st_size);
        if (index.state == JournalIndex::State::NewerVersion)
            reason = u"programın daha yeni bir sürümünün biçiminde"_s;
        else if (index.state == JournalIndex::State::Foreign)
            reason = u"bir geçmiş dosyası değil"_s;
        kept = keptRecords(index.records, {}, bounds_);
        entries = readRecords(journal, kept);
        if (reason.isEmpty() && index.damaged > 0)
            reason = u"%1 satırı bozuk"_s.arg(index.damaged);
    }
    if (!reason.isEmpty()) {
        // Moved only while it is the file just read: another copy may have replaced it.
        QLockFile lock(lockPath_);
        struct stat now;
        if (lock.tryLock(kLockWait) && ::lstat(name.constData(), &now) == 0
            && now.st_ino == st.st_ino && now.st_dev == st.st_dev
            && moveAside(reason, qsizetype(entries.size())) && !entries.empty())
            writeWhole(file.fd, kept); // the entries that could be read, in a new file
    }
    setLive(kept, qint64(index.records.size()));
    return entries;
}

void HistoryStore::append(const HistoryEntry& entry)
{
    if (blocked_ || !keeping())
        return;
    const QByteArray record = encodeRecord(entry);
    QLockFile lock(lockPath_);
    if (!QDir().mkpath(folder_) || !lock.tryLock(kLockWait)) {
        notice(u"write"_s,
            u"Geçmiş \"%1\" dosyasına yazılamadı: klasörü ya da kilidi açılamadı."_s.arg(path_));
        return;
    }
    qint64 fileSize = 0;
    if (!appendLocked(record, fileSize))
        return;
    ++fileRecords_;
    pushLive({ entry.id, record.size(), entry.formula.size() });
    // Compacted once it holds a thousand entries, or as much text as the bounds, beyond them.
    if (fileRecords_ > qint64(live_.size()) + bounds_.entries
        || fileSize > liveBytes_ + bounds_.formulaText)
        compactLocked({});
}

bool HistoryStore::appendLocked(const QByteArray& record, qint64& fileSize)
{
    const QByteArray name = QFile::encodeName(path_);
    Descriptor file { ::open(name.constData(), O_RDWR | O_APPEND | O_NOFOLLOW | O_CLOEXEC) };
    if (file.fd < 0 && errno == ENOENT)
        file.fd = ::open(
            name.constData(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    const auto failed = [&](const QString& why) {
        notice(u"write"_s, u"Geçmiş \"%1\" dosyasına yazılamadı: %2."_s.arg(path_, why));
        return false;
    };
    struct stat st;
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0)
        return failed(errorText(errno));
    if (!S_ISREG(st.st_mode))
        return failed(u"sıradan bir dosya değil"_s);

    // Only a file that begins with the header (or a header cut short as it was made) is
    // written to; a line cut short by a writer that died is cut off, so that it cannot run
    // into this entry's line.
    qint64 size = st.st_size;
    QByteArray head(std::min<qint64>(size, kHistoryHeader.size()), '\0');
    if (!readAt(file.fd, head.data(), head.size(), 0))
        return failed(errorText(errno));
    QByteArray data;
    if (size < kHistoryHeader.size()) {
        if (!kHistoryHeader.startsWith(head))
            return failed(u"bir geçmiş dosyası değil"_s);
        if (::ftruncate(file.fd, 0) != 0)
            return failed(errorText(errno));
        size = 0;
        data = kHistoryHeader.toByteArray();
    } else if (head != kHistoryHeader) {
        return failed(u"bir geçmiş dosyası değil"_s);
    } else {
        char last = '\n';
        if (!readAt(file.fd, &last, 1, size - 1))
            return failed(errorText(errno));
        if (last != '\n') {
            qint64 end = size;
            qint64 cut = kHistoryHeader.size();
            QByteArray back(64 << 10, '\0');
            while (end > kHistoryHeader.size()) {
                const qint64 n = std::min<qint64>(back.size(), end - kHistoryHeader.size());
                if (!readAt(file.fd, back.data(), n, end - n))
                    return failed(errorText(errno));
                const auto* feed
                    = static_cast<const char*>(::memrchr(back.constData(), '\n', std::size_t(n)));
                if (feed) {
                    cut = end - n + (feed - back.constData()) + 1;
                    break;
                }
                end -= n;
            }
            if (::ftruncate(file.fd, cut) != 0)
                return failed(errorText(errno));
            size = cut;
        }
    }
    data += record;
    if (!writeAll(file.fd, data.constData(), data.size())) {
        const int error = errno;
        // No half line stays behind.
        if (::ftruncate(file.fd, size) != 0)
            return failed(errorText(errno));
        return failed(errorText(error));
    }
    fileSize = size + data.size();
    return true;
}

void HistoryStore::remove(std::vector<quint64> ids)
{
    std::sort(ids.begin(), ids.end());
    std::erase_if(live_, [&](const Live& live) {
        if (!std::binary_search(ids.begin(), ids.end(), live.id))
            return false;
        liveBytes_ -= live.bytes;
        liveUnits_ -= live.units;
        return true;
    });
    if (blocked_ || !keeping())
        return;
    QLockFile lock(lockPath_);
    if (lock.tryLock(kLockWait))
        compactLocked(std::move(ids));
}

void HistoryStore::clear()
{
    setLive({}, 0);
    if (blocked_ || !keeping())
        return;
    QLockFile lock(lockPath_);
    struct stat st;
    if (lock.tryLock(kLockWait)
        && (::lstat(QFile::encodeName(path_).constData(), &st) != 0 || S_ISREG(st.st_mode)))
        writeWhole(-1, {});
}

// The file read again under the lock, with the entries every copy appended, and written anew
// without the removed ones and those the bounds drop.
void HistoryStore::compactLocked(std::vector<quint64> removed)
{
    std::sort(removed.begin(), removed.end());
    const QByteArray name = QFile::encodeName(path_);
    Descriptor file { ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC) };
    struct stat st;
    if (file.fd < 0) {
        if (errno != ENOENT)
            moveAside(errorText(errno), 0);
        return;
    }
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxHistoryFileBytes) {
        moveAside(u"sıradan bir dosya değil ya da çok büyük"_s, 0);
        return;
    }
    QFile journal;
    journal.open(file.fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    const JournalIndex index = indexJournal(journal, st.st_size);
    if (index.state == JournalIndex::State::Empty)
        return;
    if (index.state != JournalIndex::State::Entries) {
        moveAside(u"bir geçmiş dosyası değil"_s, 0);
        return;
    }
    const std::vector<RecordPlace> kept = keptRecords(index.records, removed, bounds_);
    if (index.damaged > 0
        && !moveAside(u"%1 satırı bozuk"_s.arg(index.damaged), qsizetype(kept.size())))
        return;
    if (writeWhole(file.fd, kept))
        setLive(kept, qint64(kept.size()));
}

// The header and the given records of the file `from`, through a new file that replaces the
// old one only once it is whole.
bool HistoryStore::writeWhole(int from, const std::vector<RecordPlace>& records)
{
    QSaveFile out(path_);
    bool ok = QDir().mkpath(folder_) && out.open(QIODevice::WriteOnly)
        && out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        && out.write(kHistoryHeader.data(), kHistoryHeader.size()) == kHistoryHeader.size();
    QByteArray line;
    for (auto it = records.begin(); ok && it != records.end(); ++it) {
        line.resize(it->length);
        ok = readAt(from, line.data(), it->length, it->offset) && out.write(line) == line.size();
    }
    ok = ok && out.commit();
    if (!ok)
        notice(
            u"write"_s, u"Geçmiş \"%1\" dosyasına yazılamadı: %2."_s.arg(path_, out.errorString()));
    return ok;
}

// Renames the file (or folder, or link) that cannot be read to history.unreadable-DATE, never
// over another file; the caller holds the lock.
bool HistoryStore::moveAside(const QString& reason, qsizetype readable)
{
    const QString base = path_ + u".unreadable-"_s + QDate::currentDate().toString(Qt::ISODate);
    QString target = base;
    struct stat st;
    for (int n = 2; ::lstat(QFile::encodeName(target).constData(), &st) == 0; ++n)
        target = base + u'-' + QString::number(n);
    if (::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target).constData())
        != 0) {
        blocked_ = true;
        notice(u"blocked"_s,
            u"Geçmiş dosyası okunamadı (%1):\n%2\n\nDosya kenara da taşınamadı (%3); "
            u"geçmiş bu çalışmada dosyaya yazılmayacak."_s.arg(reason, path_, errorText(errno)));
        return false;
    }
    notice(target,
        u"Geçmiş dosyası okunamadı (%1):\n%2\n\nDosya değiştirilmeden \"%3\" adıyla kenara "
        u"taşındı; %4"_s.arg(reason, path_, target,
            readable > 0 ? u"okunabilen %1 hesap yeni geçmiş dosyasında."_s.arg(readable)
                         : u"geçmiş onsuz sürüyor."_s));
    return true;
}

void HistoryStore::setLive(const std::vector<RecordPlace>& records, qint64 fileRecords)
{
    live_.clear();
    liveBytes_ = 0;
    liveUnits_ = 0;
    for (const RecordPlace& record : records)
        pushLive({ record.id, record.length, record.units });
    fileRecords_ = fileRecords;
}

// As History::add: the oldest go first to make room.
void HistoryStore::pushLive(const Live& live)
{
    if (live.units > bounds_.formulaText)
        return;
    live_.push_back(live);
    liveBytes_ += live.bytes;
    liveUnits_ += live.units;
    while (qsizetype(live_.size()) > bounds_.entries || liveUnits_ > bounds_.formulaText) {
        liveBytes_ -= live_.front().bytes;
        liveUnits_ -= live_.front().units;
        live_.pop_front();
    }
}

void HistoryStore::notice(const QString& key, const QString& text)
{
    if (noticed_.contains(key))
        return;
    noticed_.append(key);
    notices_.append(text);
}

QStringList HistoryStore::takeNotices() { return std::exchange(notices_, {}); }

} // namespace quarnis
