// The calculator window on the desktop: the names screen readers say for its controls, the
// notice of a new result, and the keys that copy the result and end the program.

#include "calculator_window.h"
#include "formula_memo.h"
#include "ui/accessibility.h"
#include "ui/keys.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QShortcut>

namespace quarnis {

namespace {

    // What a screen reader says for a control whose caption does not tell it, by objectName: its
    // name and, where the name alone does not say what the control does, a description.
    struct AccessibleText {
        const char* control;
        const char* name;
        const char* description = nullptr;
    };

    constexpr AccessibleText kAccessibleTexts[] = {
        { "EnterFormula", "Formül",
            "Enter ya da EXEC hesaplar; Ctrl+C, seçim yokken sonucu kopyalar" },
        { "Result", "Sonuç", "Son hesabın sonucu; Ctrl+Shift+C kopyalar" },
        { "DecNum", "Ondalık sayısı", "-1: yuvarlanmadan, 0 ile 9: o kadar ondalıkla" },
        { "Exec", "Hesapla (EXEC)" },
        { "BClrEnterFormula", "Formülü sil (CLR)" },
        { "bCE", "Sonucu sil (CE)" },
        { "BEdit", "Formüle git (Edit)" },
        { "BMemClear", "Belleği sil (MCLR)", "Yanındaki listede seçili belleği siler" },
        { "CClearMems", "Silinecek bellek" },
        { "BRD", "R", "İşlevi yok" },
        { "BPoint", "Kırmızı top", "Süs düğmesi; işlevi yok" },
        { "bLeft", "İmleç sola" },
        { "bRight", "İmleç sağa" },
        { "bUp", "İmleç yukarı" },
        { "bDn", "İmleç aşağı" },
        { "BBackSpace", "Geri sil (C)" },
        { "BComma", "Nokta" },
        { "BP1", "Sol parantez" },
        { "BP2", "Sağ parantez" },
        { "BArti", "Artı" },
        { "BEksi", "Eksi" },
        { "BMulti", "Çarpı" },
        { "BBolu", "Bölü" },
        { "BPow", "Üs (POW)" },
        { "BFact", "Faktöriyel (FCT)" },
        { "BSqrt", "Karekök (SQRT)" },
        { "BGraph", "Graph", "Fonksiyon tablosu ve grafik penceresini açar" },
        { "bInfo", "Info", "Hakkında penceresini açar" },
    };

    // Each memory's two buttons: the in-button stores, the out-button inserts into the formula
    // (the suffixes follow the spoken number: bir'e, iki'ye, üç'e).
    struct MemoryNames {
        const char *in, *out, *memory, *dative, *accusative, *stores;
    };

    constexpr MemoryNames kMemoryNames[] = {
        { "BMem1in", "BMem1out", "M1", "M1'e", "M1'i", "Formülü" },
        { "BMem2in", "BMem2out", "M2", "M2'ye", "M2'yi", "Formülü" },
        { "BMem3in", "BMem3out", "M3", "M3'e", "M3'ü", "Formülü" },
        { "BMemS1in", "BMemS1out", "S1", "S1'e", "S1'i", "Sonucu" },
        { "BMemS2in", "BMemS2out", "S2", "S2'ye", "S2'yi", "Sonucu" },
        { "BMemS3in", "BMemS3out", "S3", "S3'e", "S3'ü", "Sonucu" },
    };

} // namespace

void CalculatorWindow::setUpDesktop()
{
    nameControls();

    announcer_ = new quarnis::Announcer(this);

    // Ctrl+Shift+C anywhere in the window, and Ctrl+C in the memo when nothing is selected
    // there, copy the result; with a selection Ctrl+C copies it as always.
    auto* copy = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
    connect(copy, &QShortcut::activated, this, &CalculatorWindow::copyResult);
    quarnis::onKeyPress(formula_, QKeySequence::Copy, [this] {
        if (formula_->textCursor().hasSelection())
            return false;
        copyResult();
        return true;
    });
    addQuitKey(this);
}

void CalculatorWindow::nameControls()
{
    const auto control = [this](const char* name) {
        QWidget* found = findChild<QWidget*>(QLatin1String(name));
        Q_ASSERT(found);
        return found;
    };
    for (const AccessibleText& text : kAccessibleTexts) {
        quarnis::setAccessibleText(control(text.control), QString::fromUtf8(text.name),
            QString::fromUtf8(text.description));
    }
    quarnis::addInvisibleLabel(memoryChoice_, memoryChoice_->accessibleName());
    for (const MemoryNames& m : kMemoryNames) {
        const QString memory = QString::fromUtf8(m.memory);
        quarnis::setAccessibleText(control(m.in),
            QString::fromUtf8(m.dative) + QStringLiteral(" kaydet"),
            QString::fromUtf8(m.stores) + QStringLiteral(" %1 belleğine kaydeder").arg(memory));
        quarnis::setAccessibleText(control(m.out),
            QString::fromUtf8(m.accusative) + QStringLiteral(" formüle ekle"),
            QStringLiteral("%1 belleğini formülün imleç yerine ekler").arg(memory));
    }
}

void CalculatorWindow::announceResult()
{
    announcer_->announce(QStringLiteral("Sonuç: ") + result_->text());
}

void CalculatorWindow::copyResult()
{
    // An empty result field leaves the clipboard as it was.
    if (!result_->text().isEmpty())
        QGuiApplication::clipboard()->setText(result_->text());
}

void CalculatorWindow::addQuitKey(QWidget* window)
{
    // Ctrl+Q itself: the standard Quit key is empty under some keyboard schemes.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), window);
    connect(quit, &QShortcut::activated, this, &CalculatorWindow::quitProgram);
}

void CalculatorWindow::quitProgram()
{
    // The open graph or information window ends its modal loop first.
    for (QDialog* dialog : { graphWindow_, infoWindow_ }) {
        if (dialog && dialog->isVisible())
            dialog->reject();
    }
    close();
}

} // namespace quarnis
