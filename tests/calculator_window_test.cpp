// The calculator window driven as a user drives it: real clicks on its buttons, real keys
// into its memo, the texts read back from its fields.

#include "recording_dialogs.h"
#include "engine/unit_calc.h"
#include "calculator/unit_main.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <map>
#include <memory>

namespace {

void Select(QPlainTextEdit* memo, int start, int length)
{
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

void SetCaret(QPlainTextEdit* memo, int position) { Select(memo, position, 0); }

// "1+1+...+1" with n ones.
QString Sum(int n)
{
    QString text = QStringLiteral("1");
    text.reserve(2 * n);
    for (int i = 1; i < n; ++i)
        text += QStringLiteral("+1");
    return text;
}

} // namespace

class CalculatorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TCalcMain> w;
    std::unique_ptr<quarnis::ScopedRecordingDialogs> dialogs;

    // A click, then the queued key presses it produced.
    void click(QPushButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void clickAll(std::initializer_list<QPushButton*> buttons)
    {
        for (QPushButton* b : buttons)
            click(b);
    }
    void typeFormula(const QString& text)
    {
        w->EnterFormula->setFocus();
        QTest::keyClicks(w->EnterFormula, text);
        QCoreApplication::processEvents();
    }
    void setFormula(const QString& text)
    {
        w->EnterFormula->setPlainText(text);
        SetCaret(w->EnterFormula, int(text.size()));
    }
    QString memo() const { return w->EnterFormula->toPlainText(); }
    QString result() const { return w->Result->text(); }
    QString exec(const QString& formula, int decimals)
    {
        setFormula(formula);
        w->DecNum->setValue(decimals);
        click(w->Exec);
        return result();
    }

private slots:
    void init()
    {
        quarnis::M1.clear(), quarnis::M2.clear(), quarnis::M3.clear();
        quarnis::S1.clear(), quarnis::S2.clear(), quarnis::S3.clear();
        dialogs = std::make_unique<quarnis::ScopedRecordingDialogs>();
        w = std::make_unique<TCalcMain>();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup()
    {
        w.reset();
        dialogs.reset();
    }

    void startsEmptyWithTheFocusInTheMemo()
    {
        QCOMPARE(QApplication::focusWidget(), w->EnterFormula);
        QCOMPARE(memo(), QString());
        QCOMPARE(result(), QString());
        QCOMPARE(w->DecNum->value(), -1);
        QCOMPARE(w->CClearMems->currentText(), QStringLiteral("M1"));
    }

    void keysReplaceTheSelection_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("caret");
        QTest::newRow("text key SIN") << "BSin"
                                      << "1sin(5" << 5;
        QTest::newRow("keystroke key 7") << "Bu7"
                                         << "175" << 2;
        QTest::newRow("keystroke key C") << "BBackSpace"
                                         << "15" << 1;
        QTest::newRow("text key 000") << "B000"
                                      << "10005" << 4;
        QTest::newRow("full stop") << "BComma"
                                   << "1.5" << 2;
    }
    void keysReplaceTheSelection()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QFETCH(int, caret);
        setFormula(QStringLiteral("12345"));
        Select(w->EnterFormula, 1, 3);
        w->Exec->setFocus(); // the memo keeps its selection while unfocused
        const std::map<QString, QPushButton*> keys { { "BSin", w->BSin }, { "Bu7", w->Bu7 },
            { "BBackSpace", w->BBackSpace }, { "B000", w->B000 }, { "BComma", w->BComma } };
        click(keys.at(key));
        QCOMPARE(memo(), expected);
        QCOMPARE(w->EnterFormula->textCursor().position(), caret);
        QCOMPARE(QApplication::focusWidget(), w->EnterFormula);
    }

    void everyKeyTypesItsText()
    {
        clickAll({ w->BSin, w->BP1, w->B1, w->B2, w->B3, w->B4, w->B5, w->B6, w->Bu7, w->B8, w->B9,
            w->B0, w->BComma, w->BArti, w->BEksi, w->BMulti, w->BBolu, w->BP2, w->BPow, w->BFact,
            w->BPi, w->B00, w->BCos, w->BTan, w->BCot, w->BAtan, w->BASin, w->BACos, w->Blog,
            w->BLn, w->BExp, w->BSqrt });
        QCOMPARE(memo(),
            QStringLiteral(
                "sin((1234567890.+-*/)^!Pi00cos(tan(cot(atan(asin(acos(log(ln(exp(sqrt("));
    }

    void keystrokeArrivesAfterTheClickHandler()
    {
        setFormula(QStringLiteral("2"));
        QString seenByHandler;
        connect(w->Bu7, &QPushButton::clicked, this, [&] { seenByHandler = memo(); });
        QTest::mouseClick(w->Bu7, Qt::LeftButton);
        QCOMPARE(seenByHandler, QStringLiteral("2"));
        QCOMPARE(memo(), QStringLiteral("2"));
        QCoreApplication::processEvents();
        QCOMPARE(memo(), QStringLiteral("27"));
        // Keys keep their order: 7, Backspace, 5.
        QTest::mouseClick(w->Bu7, Qt::LeftButton);
        QTest::mouseClick(w->BBackSpace, Qt::LeftButton);
        QTest::mouseClick(w->B5, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(memo(), QStringLiteral("275"));
    }

    void commaTypedBecomesAStopPastedStays()
    {
        typeFormula(QStringLiteral("3,5"));
        QCOMPARE(memo(), QStringLiteral("3.5"));
        SetCaret(w->EnterFormula, 1);
        QTest::keyClick(w->EnterFormula, ',');
        QCOMPARE(memo(), QStringLiteral("3..5"));
        QCOMPARE(w->EnterFormula->textCursor().position(), 2);

        w->EnterFormula->clear();
        QApplication::clipboard()->setText(QStringLiteral("3,5"));
        QTest::keyClick(w->EnterFormula, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(memo(), QStringLiteral("3,5"));
    }

    void enterPressesExecWithoutALineBreak()
    {
        typeFormula(QStringLiteral("2+3"));
        QTest::keyClick(w->EnterFormula, Qt::Key_Return);
        QCOMPARE(memo(), QStringLiteral("2+3"));
        QCOMPARE(result(), QStringLiteral("5"));
        QCOMPARE(QApplication::focusWidget(), w->EnterFormula);
        typeFormula(QStringLiteral("*2"));
        QTest::keyClick(w->EnterFormula, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(result(), QStringLiteral("8")); // 2+3*2
        QCOMPARE(w->EnterFormula->document()->blockCount(), 1);
    }

    void enterElsewherePressesExecUnlessOnAnotherButton()
    {
        setFormula(QStringLiteral("1+1"));
        for (QWidget* focus :
            std::initializer_list<QWidget*> { w->DecNum, w->Result, w->CClearMems }) {
            w->Result->clear();
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
            QCOMPARE(result(), QStringLiteral("2"));
        }
        // On another button Enter presses that button.
        w->Result->clear();
        w->Bu7->setFocus();
        QTest::keyClick(w->Bu7, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(result(), QString());
        QCOMPARE(memo(), QStringLiteral("1+17"));
    }

    void backspaceAndCursorKeysAtTheEnds()
    {
        click(w->BBackSpace);
        QCOMPARE(memo(), QString());
        setFormula(QStringLiteral("12"));
        SetCaret(w->EnterFormula, 0);
        click(w->BBackSpace);
        QCOMPARE(memo(), QStringLiteral("12"));
        click(w->bLeft);
        QCOMPARE(w->EnterFormula->textCursor().position(), 0);
        click(w->bRight);
        QCOMPARE(w->EnterFormula->textCursor().position(), 1);
        click(w->bRight);
        click(w->bRight);
        QCOMPARE(w->EnterFormula->textCursor().position(), 2);
        click(w->bLeft);
        click(w->BBackSpace);
        QCOMPARE(memo(), QStringLiteral("2"));
    }

    void upAndDownMoveByLine()
    {
        setFormula(QStringLiteral("12\n34"));
        click(w->bUp);
        QCOMPARE(w->EnterFormula->textCursor().blockNumber(), 0);
        click(w->bDn);
        QCOMPARE(w->EnterFormula->textCursor().blockNumber(), 1);
    }

    void clearingKeys()
    {
        click(w->BClrEnterFormula);
        QCOMPARE(memo(), QString());
        QCOMPARE(QApplication::focusWidget(), w->EnterFormula);
        exec(QStringLiteral("2+3"), -1);
        click(w->BClrEnterFormula);
        QCOMPARE(memo(), QString());
        QCOMPARE(result(), QStringLiteral("5"));
        setFormula(QStringLiteral("7"));
        click(w->bCE);
        QCOMPARE(result(), QString());
        QCOMPARE(memo(), QStringLiteral("7"));
        QCOMPARE(QApplication::focusWidget(), w->EnterFormula);
    }

    void textKeysLeaveNoUndoRecord()
    {
        typeFormula(QStringLiteral("12"));
        click(w->BSin);
        QTest::keyClick(w->EnterFormula, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo(), QStringLiteral("12sin("));
    }

    void rAndTheRedBallOnlyTakeTheFocus()
    {
        setFormula(QStringLiteral("9"));
        for (QPushButton* b : { w->BRD, w->BPoint }) {
            click(b);
            QCOMPARE(QApplication::focusWidget(), b);
            QCOMPARE(memo(), QStringLiteral("9"));
            QCOMPARE(result(), QString());
        }
        click(w->BEdit);
        QCOMPARE(QApplication::focusWidget(), w->EnterFormula);
    }

    void execShowsTheRoundedValue_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sum keeps precision") << "0.1+0.2" << -1 << "0.3";
        QTest::newRow("15 digits") << "1.23456789012345678" << -1 << "1.23456789012346";
        QTest::newRow("quotient") << "2/3" << -1 << "0.666666667";
        QTest::newRow("1E15") << "1000000000000000" << -1 << "1E15";
        QTest::newRow("1E-5") << "0.00001" << -1 << "1E-5";
        QTest::newRow("empty memo") << "" << -1 << "0";
        QTest::newRow("line break is a syntax error") << "2\n+3" << -1 << "Yazım hatası...";
        QTest::newRow("p=2") << "2/3" << 2 << "0.67";
        QTest::newRow("half to even down") << "0.125" << 2 << "0.12";
        QTest::newRow("half to even up") << "0.375" << 2 << "0.38";
        QTest::newRow("2.5 p=0") << "2.5" << 0 << "2";
        QTest::newRow("3.5 p=0") << "3.5" << 0 << "4";
        QTest::newRow("-2.5 p=0") << "-2.5" << 0 << "-2";
        QTest::newRow("no negative zero") << "-0.4" << 0 << "0";
        QTest::newRow("p=9") << "1/3" << 9 << "0.333333333";
        QTest::newRow("no trailing zeros") << "1.5" << 3 << "1.5";
        QTest::newRow("unrounded 1E4931") << "1E4931" << -1 << "1E4931";
        QTest::newRow("sine of pi/6") << "2*sin(Pi/6)" << 3 << "1";
    }
    void execShowsTheRoundedValue()
    {
        QFETCH(QString, formula);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(exec(formula, decimals), expected);
        QCOMPARE(memo(), formula);
        QCOMPARE(QApplication::focusWidget(), w->Exec);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void errorTextThenANumberAgain()
    {
        QCOMPARE(exec(QStringLiteral("(1+2"), -1), QStringLiteral("Geçersiz parantez..."));
        QCOMPARE(exec(QStringLiteral("2+3#4"), -1), QStringLiteral("Yazım hatası..."));
        QCOMPARE(exec(QStringLiteral("1/0"), -1), QStringLiteral("Yazım Hatası..."));
        QCOMPARE(exec(QStringLiteral("1+2"), -1), QStringLiteral("3"));
    }

    void decNumChangeDoesNotRewriteTheResult()
    {
        QCOMPARE(exec(QStringLiteral("2/3"), -1), QStringLiteral("0.666666667"));
        w->DecNum->setValue(2);
        QCOMPARE(result(), QStringLiteral("0.666666667"));
        click(w->Exec);
        QCOMPARE(result(), QStringLiteral("0.67"));
    }

    void decNumHint()
    {
        QCOMPARE(w->DecNum->toolTip(), QString());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w->DecNum, &enter);
        QCOMPARE(w->DecNum->toolTip(), QStringLiteral("Ondalık Sayısı:-1"));
        w->DecNum->setFocus();
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(w->DecNum, Qt::Key_Right);
        QCOMPARE(w->DecNum->value(), 9);
        QCOMPARE(w->DecNum->toolTip(), QStringLiteral("Ondalık Sayısı:9"));
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

    void formulaMemoryRoundTrip()
    {
        setFormula(QStringLiteral("2+3"));
        click(w->BMem1in);
        QCOMPARE(QApplication::focusWidget(), w->BMem1in);
        click(w->BClrEnterFormula);
        click(w->BMem1out);
        QCOMPARE(memo(), QStringLiteral("2+3"));
        QCOMPARE(QApplication::focusWidget(), w->BMem1out);
    }

    void resultMemoryInsertsAtTheKeptCaret()
    {
        exec(QStringLiteral("2+3"), -1);
        click(w->BMemS1in);
        clickAll({ w->BClrEnterFormula, w->Bu7, w->BMulti });
        click(w->BMemS1out);
        QCOMPARE(memo(), QStringLiteral("7*5"));
        // The caret stayed after the insert; keys go nowhere until the memo is focused.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9"));
        QCOMPARE(memo(), QStringLiteral("7*5"));
        SetCaret(w->EnterFormula, 1);
        click(w->BMemS1out);
        QCOMPARE(memo(), QStringLiteral("75*5"));
        QCOMPARE(w->EnterFormula->textCursor().position(), 2);
    }

    void errorTextsAreStoredAsText()
    {
        exec(QStringLiteral("(1+2"), -1);
        click(w->BMemS2in);
        click(w->BClrEnterFormula);
        click(w->BMemS2out);
        QCOMPARE(memo(), QStringLiteral("Geçersiz parantez..."));
    }

    void emptyMemoryDeletesTheSelectionOnly()
    {
        setFormula(QStringLiteral("12345"));
        click(w->BMem3out);
        QCOMPARE(memo(), QStringLiteral("12345"));
        Select(w->EnterFormula, 1, 3);
        click(w->BMem3out);
        QCOMPARE(memo(), QStringLiteral("15"));
    }

    void memoryHintsAreTakenOnMouseEntry()
    {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w->BMem1in, &enter);
        QCOMPARE(w->BMem1in->toolTip(), QString());
        setFormula(QStringLiteral("1+1"));
        click(w->BMem1in);
        QCOMPARE(w->BMem1in->toolTip(), QString()); // not renewed by the click
        QApplication::sendEvent(w->BMem1in, &enter);
        QCOMPARE(w->BMem1in->toolTip(), QStringLiteral("1+1"));
        exec(QStringLiteral("4/8"), -1);
        click(w->BMemS3in);
        QApplication::sendEvent(w->BMemS3in, &enter);
        QCOMPARE(w->BMemS3in->toolTip(), QStringLiteral("0.5"));
        QCOMPARE(w->BMemS3out->toolTip(), QString());
        // A long memory is kept whole; its hint shows the beginning.
        const QString sum = Sum(600);
        setFormula(sum);
        click(w->BMem2in);
        QApplication::sendEvent(w->BMem2in, &enter);
        QCOMPARE(quarnis::M2, sum);
        QCOMPARE(w->BMem2in->toolTip(), sum.left(1000) + QChar(0x2026));
    }

    void clearMemories_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("left"); // the memories still holding text, in order
        QTest::newRow("M1") << 0 << "M2 M3 S1 S2 S3";
        QTest::newRow("S2") << 4 << "M1 M2 M3 S1 S3";
        QTest::newRow("M?") << 6 << "S1 S2 S3";
        QTest::newRow("S?") << 7 << "M1 M2 M3";
    }
    void clearMemories()
    {
        QFETCH(int, entry);
        QFETCH(QString, left);
        setFormula(QStringLiteral("1"));
        exec(QStringLiteral("1"), -1);
        clickAll({ w->BMem1in, w->BMem2in, w->BMem3in, w->BMemS1in, w->BMemS2in, w->BMemS3in });
        w->CClearMems->setCurrentIndex(entry);
        click(w->BMemClear);
        QCOMPARE(QApplication::focusWidget(), w->BMemClear);
        QStringList holding;
        const QString* memories[] = { &quarnis::M1, &quarnis::M2, &quarnis::M3, &quarnis::S1,
            &quarnis::S2, &quarnis::S3 };
        const char* names[] = { "M1", "M2", "M3", "S1", "S2", "S3" };
        for (int i = 0; i < 6; ++i)
            if (!memories[i]->isEmpty())
                holding << QString::fromLatin1(names[i]);
        QCOMPARE(holding.join(u' '), left);
    }

    void paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        w->EnterFormula->setFocus();
        QTest::keyClick(w->EnterFormula, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }

    void longFormulasArriveWhole_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 MB sum") << Sum(500001) << "500001";
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
        QCOMPARE(w->FormulaText(), formula);
        click(w->Exec);
        QCOMPARE(result(), expected);
        // Keys at the end, then taken back.
        w->EnterFormula->setFocus();
        QTest::keyClicks(w->EnterFormula, QStringLiteral("*2,"));
        QCOMPARE(w->FormulaText(), formula + QStringLiteral("*2."));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(w->EnterFormula, Qt::Key_Backspace);
        QCOMPARE(w->FormulaText(), formula);
        // Copied out and undone as the user sees it.
        QTest::keyClick(w->EnterFormula, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w->EnterFormula, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString(formula).replace("\r\n", "\n"));
        QTest::keyClick(w->EnterFormula, Qt::Key_Delete);
        QCOMPARE(w->FormulaText(), QString());
        QTest::keyClick(w->EnterFormula, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->FormulaText(), formula);
    }

    // A long line is kept in segments; at a segment boundary every key acts as inside a line.
    void keysAtASegmentBoundary_data()
    {
        QTest::addColumn<QString>("keys"); // L/R: arrows, B: Backspace, D: Delete, S: Shift+Right
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("at"); // where "typed" lands, or the copied text starts
        QTest::newRow("type at the boundary") << ""
                                              << "x" << 0;
        QTest::newRow("left") << "L"
                              << "x" << -1;
        QTest::newRow("right") << "R"
                               << "x" << 1;
        QTest::newRow("backspace") << "B"
                                   << "" << -1;
        QTest::newRow("delete") << "D"
                                << "" << 0;
        QTest::newRow("select two across") << "LSS"
                                           << "" << -1;
        QTest::newRow("paste a line break") << ""
                                            << "\n"
                                            << 0;
    }
    void keysAtASegmentBoundary()
    {
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(int, at);
        const QString formula = Sum(3000); // 5999 characters: two segments at least
        paste(formula);
        const QTextBlock second = w->EnterFormula->document()->findBlockByNumber(1);
        QVERIFY(quarnis::FormulaMemo::IsContinuation(second));
        const int boundary = second.position() - 1; // in the formula's text
        SetCaret(w->EnterFormula, boundary + (QTest::currentDataTag()[0] == 't' ? 1 : 0));
        QString expected = formula;
        for (QChar key : keys) {
            if (key == u'S') {
                QTest::keyClick(w->EnterFormula, Qt::Key_Right, Qt::ShiftModifier);
                continue;
            }
            const Qt::Key code = key == u'L' ? Qt::Key_Left
                : key == u'R'                ? Qt::Key_Right
                : key == u'B'                ? Qt::Key_Backspace
                                             : Qt::Key_Delete;
            QTest::keyClick(w->EnterFormula, code);
        }
        if (keys.contains(u'S')) {
            QTest::keyClick(w->EnterFormula, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(), formula.mid(boundary + at, 2));
            return;
        }
        if (keys.contains(u'B') || keys.contains(u'D'))
            expected.remove(boundary + at, 1);
        if (typed == QStringLiteral("\n"))
            paste(typed);
        else
            QTest::keyClicks(w->EnterFormula, typed);
        expected.insert(boundary + at, typed);
        QCOMPARE(w->EnterFormula->Text(), expected);
    }

    // Qt gives a paragraph emptied from its start the format of the next one; the line break
    // before it must stay.
    void deletingASegmentKeepsTheLineBreakBeforeIt()
    {
        const QString formula = QStringLiteral("2\n") + Sum(3000);
        paste(formula);
        QTextDocument* document = w->EnterFormula->document();
        const int segmentEnd = document->findBlockByNumber(2).position();
        QVERIFY(quarnis::FormulaMemo::IsContinuation(document->findBlockByNumber(2)));
        Select(w->EnterFormula, 2, segmentEnd - 2);
        QTest::keyClick(w->EnterFormula, Qt::Key_Delete);
        QString expected = formula;
        expected.remove(2, segmentEnd - 3); // the segment's characters
        QCOMPARE(w->EnterFormula->Text(), expected);
        QTest::keyClick(w->EnterFormula, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->EnterFormula->Text(), formula);
    }

    void resultsUseAFullStopUnderACommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        w.reset(new TCalcMain());
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral("."));
        QCOMPARE(exec(QStringLiteral("1/2"), -1), QStringLiteral("0.5"));
        QCOMPARE(exec(QStringLiteral("1234567.25"), 1), QStringLiteral("1234567.2"));
    }
};

QTEST_MAIN(CalculatorWindowTest)
#include "calculator_window_test.moc"
