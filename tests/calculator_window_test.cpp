// The calculator window driven as a user drives it: real clicks on its buttons, real keys
// into its memo, the texts read back from its fields.

#include "active_window.h"
#include "calculator/calculator_window.h"
#include "calculator/formula_memo.h"
#include "control_names.h"
#include "recording_dialogs.h"
#include "ui/accessibility.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <utility>

using namespace quarnis::names;

namespace {

void select(QPlainTextEdit* memo, int start, int length)
{
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

void setCaret(QPlainTextEdit* memo, int position) { select(memo, position, 0); }

// A case's start without its marks of selection and caret.
QString bare(QString start) { return start.remove(u'[').remove(u']').remove(u'|'); }

// "1+1+...+1" with n ones.
QString sumOf(int n) { return QStringLiteral("1") + QStringLiteral("+1").repeated(n - 1); }

// What the user does, from a formula whose selection is in brackets ("1[234]5") or whose
// caret is a bar ("|12"; at the end without either), with the focus on EXEC first; then the
// memo with its caret, the result field, and the control with the focus. The steps: a
// control's name clicks it, "@name" gives it the focus, 'text' is typed and <text pasted
// into the focused control, Enter, Left, S-Right (with Shift), Delete and the like press
// those keys there, and ^Z presses Ctrl+Z (^+C Ctrl+Shift+C).
struct ClickCase {
    const char *tag, *start, *clicks, *memo, *result, *focus;
};

const ClickCase kClickCases[] = {
    { "text key SIN", "1[234]5", "BSin", "1sin(|5", "", kMemo },
    { "keystroke key 7", "1[234]5", "Bu7", "17|5", "", kMemo },
    { "left, right, C", "12", "bLeft bLeft bRight BBackSpace", "|2", "", kMemo },
    { "up", "12\n34", "bUp", "12|\n34", "", kMemo },
    { "up, down", "12\n34", "bUp bDn", "12\n34|", "", kMemo },
    { "CLR keeps the result", "2+3", "Exec BClrEnterFormula", "|", "5", kMemo },
    { "CE keeps the formula", "7", "Exec bCE", "7|", "", kMemo },
    { "the red ball only takes the focus", "9", "BPoint", "9|", "", "BPoint" },
    { "Edit", "9", "BRD BEdit", "9|", "", kMemo },
    { "formula memory", "2+3", "BMem1in BClrEnterFormula BMem1out", "2+3|", "", "BMem1out" },
    { "result memory at the kept caret", "2+3",
        "Exec BMemS1in BClrEnterFormula Bu7 BMulti BMemS1out bLeft bLeft BMemS1out", "75|*5", "5",
        "BMemS1out" },
    { "error text stored as text", "(1+2", "Exec BMemS2in BClrEnterFormula BMemS2out",
        "Geçersiz parantez...|", "Geçersiz parantez...", "BMemS2out" },
    { "empty memory deletes the selection", "1[234]5", "BMem3out", "1|5", "", "BMem3out" },
    { "typed keys miss the memo after a recall", "2", "BMem1in BMem1out '9'", "22|", "",
        "BMem1out" },
    { "typed comma inside", "3|.5", "BEdit ','", "3.|.5", "", kMemo },
    { "pasted comma stays", "", "BEdit <3,5", "3,5|", "", kMemo },
    { "text keys leave no undo record", "", "BEdit '12' BSin ^Z", "12sin(|", "", kMemo },
    { "Enter presses EXEC", "", "BEdit '2+3' Enter", "2+3|", "5", kMemo },
    { "keypad Enter too", "", "BEdit '2+3' Enter '*2' KeypadEnter", "2+3*2|", "8", kMemo },
    { "decimals wait for EXEC", "2/3", "Exec @DecNum Right Right Right", "2/3|", "0.666666667",
        kDecimals },
    { "decimals at the next EXEC", "2/3", "Exec @DecNum Right Right Right Enter", "2/3|", "0.67",
        kDecimals },
    { "Enter in the result field", "1+1", "@Result Enter", "1+1|", "2", kResult },
    { "Enter in the memory choice", "1+1", "@CClearMems Enter", "1+1|", "2", kClearMemories },
    { "Enter on another button presses it", "1+1", "@Bu7 Enter", "1+17|", "", kMemo },
};

} // namespace

class CalculatorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<quarnis::CalculatorWindow> w;
    std::unique_ptr<quarnis::RecordingDialogs> dialogs;

    template <class Control = QPushButton> Control* control(const char* name) const
    {
        auto* found = w->findChild<Control*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    quarnis::FormulaMemo* editor() const { return control<quarnis::FormulaMemo>(kMemo); }
    QScrollBar* decimals() const { return control<QScrollBar>(kDecimals); }

    // The steps of a case's script (see ClickCase), one after the other.
    void play(const QString& steps)
    {
        for (const QString& each : steps.split(u' ', Qt::SkipEmptyParts))
            step(each);
    }
    void step(const QString& step)
    {
        static const QHash<QString, QKeyCombination> keys = { { "Enter", Qt::Key_Return },
            { "KeypadEnter", Qt::KeypadModifier | Qt::Key_Enter }, { "Left", Qt::Key_Left },
            { "Right", Qt::Key_Right }, { "S-Right", Qt::ShiftModifier | Qt::Key_Right },
            { "Backspace", Qt::Key_Backspace }, { "Delete", Qt::Key_Delete } };
        QWidget* focused = QApplication::focusWidget();
        if (step.startsWith(u'\'')) {
            QTest::keyClicks(focused, step.mid(1, step.size() - 2));
        } else if (step.startsWith(u'<')) {
            QApplication::clipboard()->setText(step.mid(1));
            QTest::keyClick(focused, Qt::Key_V, Qt::ControlModifier);
        } else if (step.startsWith(u'@')) {
            control<QWidget>(qPrintable(step.mid(1)))->setFocus();
        } else if (step.startsWith(u'^')) {
            QTest::keyClick(focused, Qt::Key(step.back().unicode()),
                Qt::ControlModifier | (step[1] == u'+' ? Qt::ShiftModifier : Qt::NoModifier));
        } else if (keys.contains(step)) {
            QTest::keyClick(focused, keys[step].key(), keys[step].keyboardModifiers());
        } else {
            QTest::mouseClick(control(qPrintable(step)), Qt::LeftButton);
        }
        QCoreApplication::processEvents();
    }
    // Sets the memo as a case's start describes it (see ClickCase); the focus on EXEC.
    void begin(const QString& start)
    {
        setFormula(bare(start));
        if (start.contains(u'['))
            select(editor(), int(start.indexOf(u'[')),
                int(start.indexOf(u']') - start.indexOf(u'[') - 1));
        else if (start.contains(u'|'))
            setCaret(editor(), int(start.indexOf(u'|')));
        control(kExec)->setFocus(); // the memo keeps its selection while unfocused
    }
    void setFormula(const QString& text)
    {
        editor()->setPlainText(text);
        setCaret(editor(), int(text.size()));
    }
    QString memo() const { return editor()->toPlainText(); }
    QString result() const { return control<QLineEdit>(kResult)->text(); }
    QString focus() const { return QApplication::focusWidget()->objectName(); }
    QString exec(const QString& formulaText, int places)
    {
        setFormula(formulaText);
        decimals()->setValue(places);
        step(kExec);
        return result();
    }
    // The hint the mouse finds on a control.
    QString hint(const char* name)
    {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control<QWidget>(name), &enter);
        return control<QWidget>(name)->toolTip();
    }

private slots:
    void init()
    {
        dialogs = std::make_unique<quarnis::RecordingDialogs>();
        w = std::make_unique<quarnis::CalculatorWindow>(*dialogs);
        w->show();
        QVERIFY(quarnis::waitForActiveWindow(w.get()));
    }
    void cleanup()
    {
        w.reset();
        dialogs.reset();
    }

    void clicks_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(kClickCases)); ++row)
            QTest::newRow(kClickCases[row].tag) << row;
    }
    void clicks()
    {
        QFETCH(int, row);
        const ClickCase& c = kClickCases[row];
        begin(QString::fromUtf8(c.start));
        play(QString::fromUtf8(c.clicks));
        QString shown = memo();
        shown.insert(editor()->textCursor().position(), u'|');
        QCOMPARE(shown, QString::fromUtf8(c.memo));
        QCOMPARE(result(), QString::fromUtf8(c.result));
        QCOMPARE(focus(), QString::fromLatin1(c.focus));
    }

    void everyKeyTypesItsText()
    {
        play(QStringLiteral("BSin BP1 B1 B2 B3 B4 B5 B6 Bu7 B8 B9 B0 BComma BArti BEksi BMulti "
                            "BBolu BP2 BPow BFact BPi B00 BCos BTan BCot BAtan BASin BACos "
                            "Blog BLn BExp BSqrt"));
        QCOMPARE(memo(),
            QStringLiteral(
                "sin((1234567890.+-*/)^!Pi00cos(tan(cot(atan(asin(acos(log(ln(exp(sqrt("));
    }

    // Ctrl+Shift+C copies the last result from any control; Ctrl+C in the memo copies the
    // selection, or else the result. Neither types into the memo.
    void copyKeys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("copied");
        const char* rows[][4] = { { "no result yet", "1/3", "@EnterFormula ^+C", "kept" },
            { "Ctrl+C, nothing selected", "2*5", "Exec @EnterFormula ^C", "10" },
            { "Ctrl+C, a selection", "[2*5]", "Exec @EnterFormula ^C", "2*5" } };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << r[1] << r[2] << r[3];
        for (const char* name : { kMemo, kExec, kDecimals, kResult, kClearMemories })
            QTest::newRow(name) << "1/3" << QStringLiteral("Exec @%1 ^+C").arg(name)
                                << "0.333333333";
    }
    void copyKeys()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, copied);
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        begin(start);
        play(steps);
        QTRY_COMPARE(QApplication::clipboard()->text(), copied);
        QCOMPARE(memo(), bare(start));
    }

    // The texts themselves are the engine's tables; here, that EXEC shows them for the memo's
    // text (its line breaks included), announced, with the focus kept on EXEC.
    void execShowsTheValue()
    {
        const std::pair<const char*, const char*> rows[]
            = { { "2/3", "0.666666667" }, { "", "0" }, { "2\n+3", "Yazım hatası..." } };
        for (const auto& [formula, value] : rows) {
            const QString expected = QString::fromUtf8(value);
            QCOMPARE(exec(QString::fromUtf8(formula), -1), expected);
            QCOMPARE(memo(), QString::fromUtf8(formula));
            QCOMPARE(focus(), QLatin1String(kExec));
            QCOMPARE(w->findChild<quarnis::Announcer*>()->accessibleName(),
                QStringLiteral("Sonuç: ") + expected);
        }
        QVERIFY(dialogs->messages.isEmpty());
    }

    void startsEmptyAndTheDecimalsHintFollows()
    {
        QCOMPARE(focus(), QLatin1String(kMemo));
        QCOMPARE(memo() + result(), QString());
        QCOMPARE(hint(kDecimals), QStringLiteral("Ondalık Sayısı:-1"));
        play(QStringLiteral("@DecNum") + QStringLiteral(" Right").repeated(12));
        QCOMPARE(decimals()->toolTip(), QStringLiteral("Ondalık Sayısı:9"));
    }

    void roundingOverflowShowsTheErrorBox()
    {
        QCOMPARE(exec(QStringLiteral("7"), 2), QStringLiteral("7"));
        QCOMPARE(exec(QStringLiteral("1E4931"), 2), QStringLiteral("7"));
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].text, QStringLiteral("Floating point overflow."));
        QCOMPARE(dialogs->messages[0].caption, QStringLiteral("Quarnis Scientific Calculator"));
        QVERIFY(dialogs->messages[0].icon == quarnis::Dialogs::Icon::Stop);
        QCOMPARE(exec(QStringLiteral("1+1"), 2), QStringLiteral("2"));
    }

    void memoryHintsAreTakenOnMouseEntry()
    {
        setFormula(QStringLiteral("1+1"));
        step("BMem1in");
        QCOMPARE(control("BMem1in")->toolTip(), QString()); // not renewed by the click
        QCOMPARE(hint("BMem1in"), QStringLiteral("1+1"));
        // A long memory is kept whole; its hint shows the beginning.
        const QString sum = sumOf(600);
        setFormula(sum);
        play(QStringLiteral("BMem2in BClrEnterFormula BMem2out"));
        QCOMPARE(memo(), sum);
        QCOMPARE(hint("BMem2in"), sum.left(1000) + QChar(0x2026));
    }

    // Each entry of the memory choice, on all six memories filled: the ones still holding text.
    void clearMemories()
    {
        const char* const ins[]
            = { "BMem1in", "BMem2in", "BMem3in", "BMemS1in", "BMemS2in", "BMemS3in" };
        for (const auto& [entry, left] : { std::pair(0, "-11111"), std::pair(4, "1111-1"),
                 std::pair(6, "---111"), std::pair(7, "111---") }) {
            exec(QStringLiteral("1"), -1);
            QString holding;
            for (const char* in : ins)
                step(in);
            control<QComboBox>(kClearMemories)->setCurrentIndex(entry);
            step(kMemoryClear);
            QCOMPARE(focus(), QLatin1String(kMemoryClear));
            for (const char* in : ins) // as the in-buttons' hints show them
                holding += hint(in).isEmpty() ? u'-' : u'1';
            QCOMPARE(holding, QLatin1String(left));
        }
    }

    void paste(const QString& text)
    {
        editor()->setFocus();
        step(u'<' + text);
    }

    void longFormulasArriveWhole_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 MB sum") << sumOf(500001) << "500001";
        QTest::newRow("100000-deep nesting")
            << QString(100000, u'(') + u'7' + QString(100000, u')') << "7";
        QString lines;
        for (int i = 0; i < 10000; ++i)
            lines += QStringLiteral("1+1\r\n");
        QTest::newRow("10000 lines") << lines << "Yazım hatası...";
    }
    void longFormulasArriveWhole()
    {
        QFETCH(QString, formula);
        QFETCH(QString, expected);
        paste(formula);
        QCOMPARE(w->formulaText(), formula);
        step(kExec);
        QCOMPARE(result(), expected);
        // Keys at the end, then taken back; copied out and undone as the user sees it.
        editor()->setFocus();
        play(QStringLiteral("'*2,'"));
        QCOMPARE(w->formulaText(), formula + QStringLiteral("*2."));
        play(QStringLiteral("Backspace Backspace Backspace"));
        QCOMPARE(w->formulaText(), formula);
        play(QStringLiteral("^A ^C Delete"));
        QTRY_COMPARE(QApplication::clipboard()->text(), QString(formula).replace("\r\n", "\n"));
        QCOMPARE(w->formulaText(), QString());
        play(QStringLiteral("^Z"));
        QCOMPARE(w->formulaText(), formula);
    }

    // A long line is kept in segments; at a segment boundary every key acts as inside a line:
    // from the caret at the end of the first segment (or the start of the second), the steps
    // replace `removed` characters at `at` from the boundary by `typed`.
    void keysAtASegmentBoundary()
    {
        const struct {
            int caret;
            const char* steps;
            int at, removed;
            const char* typed;
        } rows[] = { { 1, "'x'", 0, 0, "x" }, { 0, "Left 'x'", -1, 0, "x" },
            { 0, "Right 'x'", 1, 0, "x" }, { 0, "Backspace", -1, 1, "" }, { 0, "Delete", 0, 1, "" },
            { 0, "<\n", 0, 0, "\n" }, { 0, "Left S-Right S-Right ^C", -1, 0, "" } };
        const QString formula = sumOf(3000); // 5999 characters: two segments at least
        for (const auto& r : rows) {
            editor()->clear();
            paste(formula);
            const QTextBlock second = editor()->document()->findBlockByNumber(1);
            QVERIFY(quarnis::FormulaMemo::isContinuation(second));
            const int boundary = second.position() - 1; // in the formula's text
            setCaret(editor(), boundary + r.caret);
            play(QLatin1String(r.steps));
            QCOMPARE(editor()->text(),
                QString(formula).replace(boundary + r.at, r.removed, QLatin1String(r.typed)));
            if (QByteArrayView(r.steps).endsWith("^C"))
                QTRY_COMPARE(QApplication::clipboard()->text(), formula.mid(boundary + r.at, 2));
        }
    }

    // Qt gives a paragraph emptied from its start the format of the next one; the line break
    // before it must stay.
    void deletingASegmentKeepsTheLineBreakBeforeIt()
    {
        const QString formula = QStringLiteral("2\n") + sumOf(3000);
        paste(formula);
        QTextDocument* document = editor()->document();
        const int segmentEnd = document->findBlockByNumber(2).position();
        QVERIFY(quarnis::FormulaMemo::isContinuation(document->findBlockByNumber(2)));
        select(editor(), 2, segmentEnd - 2);
        QTest::keyClick(editor(), Qt::Key_Delete);
        QString expected = formula;
        expected.remove(2, segmentEnd - 3); // the segment's characters
        QCOMPARE(editor()->text(), expected);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->text(), formula);
    }
};

QTEST_MAIN(CalculatorWindowTest)
#include "calculator_window_test.moc"
