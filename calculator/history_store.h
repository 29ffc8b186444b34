#pragma once
// The history kept between runs: the file "history" in the user's data folder
// ($XDG_DATA_HOME/quarnis, else ~/.local/share/quarnis), in the format of history_journal.h,
// and the choice "Geçmişi Sakla" in $XDG_CONFIG_HOME/quarnis/quarnis.conf ([history] keep).
//
// Every EXEC appends its entry with one write() in append mode before EXEC returns, so a
// crash or kill loses no entry; there is no fsync: what the kernel holds survives the program,
// and waiting for the disk on every EXEC would cost more than the time EXEC may take. Now and
// then (when the file holds a thousand entries or 64 MB more than the bounds keep, or when
// entries are deleted) the file is compacted: read again, so that what another running copy
// appended is kept, and written anew through QSaveFile, which replaces it whole or not at all.
// Appending and compacting hold a QLockFile ("history.lock" beside it), so two copies of the
// program can write at once.
//
// A file that cannot be read (not ours, of a newer version, damaged, too large, unreadable,
// a folder, a symbolic link) is never written to: it is renamed to "history.unreadable-DATE"
// (with -2, -3 ... when taken) and a notice names both; a symbolic link is moved itself, never
// followed. The last entry cut short by a crash is dropped without a notice.

#include "history.h"
#include "history_journal.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace quarnis {

// Files larger than this are not read: the most a file within the bounds takes, with the
// room it may grow before it is compacted, is well below it.
inline constexpr qint64 kMaxHistoryFileBytes = qint64(512) << 20;

class HistoryStore {
public:
    HistoryStore(QString folder, QString settingsFile, HistoryBounds bounds = {});

    // $XDG_DATA_HOME/quarnis (QStandardPaths::AppDataLocation of the program "quarnis").
    static QString defaultFolder();
    // $XDG_CONFIG_HOME/quarnis/quarnis.conf.
    static QString defaultSettingsFile();

    QString filePath() const { return path_; }

    // The choice "Geçmişi Sakla" (on at first), read again each time: another running copy
    // may have turned it off.
    bool keeping();
    // Turning it off deletes the file; on, the next entry starts a new one.
    void setKeeping(bool keep);

    // The file's entries the bounds keep, oldest first; a file that cannot be read is moved
    // aside (and noticed).
    std::vector<HistoryEntry> load();
    // Writes the entry at the file's end (the entry has its id); compacts now and then.
    void append(const HistoryEntry& entry);
    // Deletes the entries with these ids from the file.
    void remove(std::vector<quint64> ids);
    // Leaves the file without entries.
    void clear();

    // What the user should be told since the last call, one text per problem, each problem
    // once in a run.
    QStringList takeNotices();

private:
    struct Live {
        quint64 id;
        qint64 bytes;
        qsizetype units;
    };

    bool appendLocked(const QByteArray& record, qint64& fileSize);
    void compactLocked(std::vector<quint64> removed);
    bool writeWhole(int from, const std::vector<RecordPlace>& records);
    bool moveAside(const QString& reason, qsizetype readable);
    void setLive(const std::vector<RecordPlace>& records, qint64 fileRecords);
    void pushLive(const Live& live);
    void notice(const QString& key, const QString& text);

    QString folder_, path_, lockPath_;
    QSettings settings_;
    HistoryBounds bounds_;
    bool blocked_ = false; // a file that could not be moved aside: never write over it
    std::deque<Live> live_; // the file's entries that the bounds keep, as this copy knows them
    qint64 liveBytes_ = 0;
    qsizetype liveUnits_ = 0;
    qint64 fileRecords_ = 0; // records in the file, kept or not
    QStringList notices_;
    QStringList noticed_; // the problems told in this run
};

} // namespace quarnis
