// The history kept between runs, through real starts: this test program also runs as the
// program itself ("child", the calculator window EXECing formulas and the history read as
// at start), killed with SIGKILL or two at once, and the built quarnis started on the
// files; damaged files of every kind; the bounds and compaction. Always in temporary XDG
// folders.

#include "calculator/formula_memo.h"
#include "calculator/history_journal.h"
#include "calculator/history_store.h"
#include "calculator/startup.h"
#include "recording_dialogs.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <memory>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using quarnis::HistoryEntry;
using quarnis::HistoryStore;

namespace {

std::unique_ptr<HistoryStore> defaultStore(quarnis::HistoryBounds bounds = {})
{
    return std::make_unique<HistoryStore>(
        HistoryStore::defaultFolder(), HistoryStore::defaultSettingsFile(), bounds);
}

// The program as a child process: "exec N PREFIX [wait]" EXECs PREFIX+1 .. PREFIX+N in the
// calculator window, prints "ready" and waits to be killed or ends; "list" prints each entry
// as "formula=result"; "append N TAG [MAX]" adds TAG-0 .. through the store alone, with at
// most MAX entries.
int child(const QStringList& args)
{
    quarnis::RecordingDialogs dialogs;
    if (args[0] == u"append") {
        auto store = defaultStore({ args.value(3, u"1000"_s).toLongLong() });
        store->load();
        for (int i = 0; i < args[1].toInt(); ++i)
            store->append({ args[2] + u'-' + QString::number(i), u"r"_s, -1, false,
                (quint64(getpid()) << 32) + quint64(i) + 1 });
        return 0;
    }
    quarnis::Windows windows(dialogs);
    windows.calculator.show();
    QSignalSpy restored(&windows.history, &quarnis::HistoryWindow::restored);
    windows.history.restore(defaultStore());
    restored.wait(20000);
    auto* memo = windows.calculator.findChild<quarnis::FormulaMemo*>(u"EnterFormula"_s);
    for (int i = 1; args[0] == u"exec" && i <= args[1].toInt(); ++i) {
        memo->setPlainText(args[2] + QString::number(i));
        windows.calculator.findChild<QPushButton*>(u"Exec"_s)->click();
    }
    const quarnis::History& history = windows.history.history();
    for (qsizetype row = 0; args[0] == u"list" && row < history.size(); ++row)
        std::printf(
            "%s=%s\n", qPrintable(history.at(row).formula), qPrintable(history.at(row).result));
    std::puts("ready");
    std::fflush(stdout);
    while (args.value(3) == u"wait")
        QThread::sleep(1);
    return 0;
}

QByteArray record(const QString& formula, quint64 id)
{
    return quarnis::encodeRecord({ formula, u"1"_s, -1, false, id });
}

const QByteArray kTwo
    = quarnis::kHistoryHeader.toByteArray() + record(u"1+1"_s, 1) + record(u"2+2"_s, 2);

} // namespace

class HistoryStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    QString path() const { return HistoryStore::defaultFolder() + u"/history"_s; }

    QStringList run(const QStringList& args, const QString& program = {})
    {
        QProcess process;
        process.start(program.isEmpty() ? QCoreApplication::applicationFilePath() : program,
            program.isEmpty() ? QStringList { u"child"_s } + args : args);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
    std::vector<HistoryEntry> fileEntries(quarnis::HistoryBounds bounds = {}) const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? quarnis::readJournal(file.readAll(), bounds)
                                              : std::vector<HistoryEntry> {};
    }
    void write(const QByteArray& bytes, const QString& to = {})
    {
        QDir().mkpath(HistoryStore::defaultFolder());
        QFile file(to.isEmpty() ? path() : to);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        for (const char* name :
            { "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR" })
            qputenv(name, QFile::encodeName(home->filePath(QString::fromLatin1(name))));
        // The runtime folder above has no compositor's socket: the children draw offscreen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    void keptBetweenStartsInOrderWithTheChoice()
    {
        QCOMPARE(run({ u"exec"_s, u"3"_s, u"1+"_s }), QStringList { u"ready"_s });
        run({ u"exec"_s, u"2"_s, u"2*"_s });
        QCOMPARE(run({ u"list"_s }),
            QStringList(
                { u"1+1=2"_s, u"1+2=3"_s, u"1+3=4"_s, u"2*1=2"_s, u"2*2=4"_s, u"ready"_s }));
        // The program itself, twice, reads all five: the first start changed nothing.
        for (int start = 0; start < 2; ++start)
            QCOMPARE(run({ u"--startup-time"_s }, QStringLiteral(QUARNIS_BINARY)).value(1).left(26),
                u"history of 5 entries read "_s);

        // Turned off: the file goes, the choice stays, nothing is written or read.
        defaultStore()->setKeeping(false);
        QVERIFY(!QFile::exists(path()));
        QSettings settings(HistoryStore::defaultSettingsFile(), QSettings::IniFormat);
        QCOMPARE(settings.value(u"history/keep"_s), QVariant(u"false"_s));
        run({ u"exec"_s, u"1"_s, u"7+"_s });
        QVERIFY(!QFile::exists(path()));
        QCOMPARE(run({ u"--startup-time"_s }, QStringLiteral(QUARNIS_BINARY)).value(1).left(26),
            u"history of 0 entries read "_s);
    }

    void aKilledProgramLosesNoEntry()
    {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(),
            { u"child"_s, u"exec"_s, u"4"_s, u"3-"_s, u"wait"_s });
        QVERIFY(process.waitForReadyRead(60000));
        QCOMPARE(process.readAllStandardOutput(), "ready\n");
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished();
        QCOMPARE(run({ u"list"_s }),
            QStringList({ u"3-1=2"_s, u"3-2=1"_s, u"3-3=0"_s, u"3-4=-1"_s, u"ready"_s }));
    }

    void twoCopiesWriteAtOnce_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("bound"); // entries; a small bound compacts all along
        QTest::newRow("all kept") << 400 << 1000;
        QTest::newRow("compacting") << 300 << 25;
    }
    void twoCopiesWriteAtOnce()
    {
        QFETCH(int, count);
        QFETCH(int, bound);
        QProcess copies[2];
        for (const QString& tag : { u"A"_s, u"B"_s })
            copies[tag == u"B"].start(QCoreApplication::applicationFilePath(),
                { u"child"_s, u"append"_s, QString::number(count), tag, QString::number(bound) });
        QVERIFY(copies[0].waitForFinished(60000) && copies[1].waitForFinished(60000));
        const std::vector<HistoryEntry> entries = fileEntries({ bound });
        QCOMPARE(int(entries.size()), std::min(2 * count, bound));
        int next[2] = { -1, -1 }; // each copy's entries whole and in their order
        for (const HistoryEntry& entry : entries) {
            const int copy = entry.formula.startsWith(u"B-"_s);
            const int i = entry.formula.mid(2).toInt();
            QVERIFY2(
                entry.formula == (copy ? u"B-"_s : u"A-"_s) + QString::number(i) && i > next[copy],
                qPrintable(entry.formula));
            next[copy] = i;
        }
        QVERIFY(QFileInfo(path()).size() < 200 * qint64(bound) + 1000);
    }

    void theBoundsHoldInTheFile()
    {
        auto store = defaultStore({ 5, 40 });
        for (int i = 0; i < 30; ++i) // ten characters each: four fit
            store->append(
                { u"%1"_s.arg(i, 10, 10, QChar(u'0')), u"r"_s, -1, false, quint64(i) + 1 });
        store->remove({ 29 });
        const std::vector<HistoryEntry> entries = defaultStore({ 5, 40 })->load();
        QVERIFY(entries.size() >= 3 && entries.size() <= 4);
        QCOMPARE(entries[entries.size() - 3].id, 27u);
        QCOMPARE(entries.back().id, 30u);
        QCOMPARE(fileEntries(), entries); // compacted: nothing older is left behind
        store->clear();
        QCOMPARE(fileEntries().size(), 0u);
        QCOMPARE(QFileInfo(path()).size(), quarnis::kHistoryHeader.size());
    }

    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // "DIR", "LINK", "SPARSE", "NOREAD": made so
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("moved");
        QTest::newRow("torn last record") << kTwo + record(u"3+3"_s, 3).left(20) << 2 << false;
        QTest::newRow("header cut short") << QByteArray("quarnis-hist") << 0 << false;
        QTest::newRow("damaged middle line")
            << kTwo + "0000dead 1 2 3\n" + record(u"4"_s, 4) << 3 << true;
        QTest::newRow("newer version") << "quarnis-history 2\n" + record(u"1"_s, 1) << 0 << true;
        QTest::newRow("directory") << QByteArray("DIR") << 0 << true;
        QTest::newRow("symbolic link") << QByteArray("LINK") << 0 << true;
        QTest::newRow("2 GB") << QByteArray("SPARSE") << 0 << true;
        QTest::newRow("unreadable") << QByteArray("NOREAD") << (geteuid() == 0 ? 2 : 0)
                                    << (geteuid() != 0); // root reads it all the same
        QTest::newRow("name taken") << QByteArray("TAKEN") << 0 << true;
    }
    void damagedFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, entries);
        QFETCH(bool, moved);
        const QString aside
            = path() + u".unreadable-"_s + QDate::currentDate().toString(Qt::ISODate);
        const QString elsewhere = home->filePath(u"elsewhere"_s);
        if (content == "DIR") {
            QVERIFY(QDir().mkpath(path()));
        } else if (content == "LINK") {
            write(kTwo, elsewhere);
            QVERIFY(QFile::link(elsewhere, path()));
        } else if (content == "SPARSE") {
            write(kTwo);
            QVERIFY(::truncate(QFile::encodeName(path()).constData(), qint64(2) << 30) == 0);
        } else if (content == "NOREAD") {
            write(kTwo);
            QVERIFY(QFile::setPermissions(path(), {}));
        } else if (content == "TAKEN") {
            write("x");
            QDir().mkpath(aside);
        } else {
            write(content);
        }
        const QString movedTo = content == "TAKEN" ? aside + u"-2"_s : aside;
        HistoryStore store(HistoryStore::defaultFolder(), HistoryStore::defaultSettingsFile());
        QCOMPARE(int(store.load().size()), entries);
        const QStringList notices = store.takeNotices();
        QCOMPARE(notices.size(), moved ? 1 : 0);
        QCOMPARE(QFileInfo::exists(movedTo) || QFileInfo(movedTo).isSymLink(), moved);
        if (moved)
            QVERIFY(notices[0].contains(path()) && notices[0].contains(movedTo));
        if (content == "LINK") // the link moved, its target untouched
            QCOMPARE(QFileInfo(movedTo).symLinkTarget(), elsewhere);
        // Writing goes on in a file of its own, after what could be read.
        store.append({ u"9"_s, u"9"_s, -1, false, 9 });
        QCOMPARE(int(fileEntries().size()), entries + 1);
        QVERIFY(store.takeNotices().isEmpty());
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"quarnis"_s); // the data folder's name
    if (argc > 2 && QByteArrayView(argv[1]) == "child")
        return child(app.arguments().mid(2));
    HistoryStoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "history_store_test.moc"
