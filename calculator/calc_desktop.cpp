// The calculator window on the desktop: the names screen readers say for its controls, the
// notice of a new result, and the keys that copy the result and end the program.

#include "ui/accessibility.h"
#include "ui/keys.h"
#include "unit_main.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

#include "about.h"
#include "graph/graph_window.h"

using quarnis::SetAccessibleText;

void TCalcMain::SetUpDesktop()
{
    NameControls();

    announcer_ = new quarnis::Announcer(this);

    // Ctrl+Shift+C anywhere in the window, and Ctrl+C in the memo when nothing is selected
    // there, copy the result; with a selection Ctrl+C copies it as always.
    auto* copyResult = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
    connect(copyResult, &QShortcut::activated, this, &TCalcMain::CopyResult);
    quarnis::OnKeyPress(EnterFormula, QKeySequence::Copy, [this] {
        if (EnterFormula->textCursor().hasSelection())
            return false;
        CopyResult();
        return true;
    });
    AddQuitKey(this);
}

void TCalcMain::NameControls()
{
    SetAccessibleText(EnterFormula, QStringLiteral("Formül"),
        QStringLiteral("Enter ya da EXEC hesaplar; Ctrl+C, seçim yokken sonucu kopyalar"));
    SetAccessibleText(Result, QStringLiteral("Sonuç"),
        QStringLiteral("Son hesabın sonucu; Ctrl+Shift+C kopyalar"));
    SetAccessibleText(DecNum, QStringLiteral("Ondalık sayısı"),
        QStringLiteral("-1: yuvarlanmadan, 0 ile 9: o kadar ondalıkla"));
    SetAccessibleText(Exec, QStringLiteral("Hesapla (EXEC)"));
    SetAccessibleText(BClrEnterFormula, QStringLiteral("Formülü sil (CLR)"));
    SetAccessibleText(bCE, QStringLiteral("Sonucu sil (CE)"));
    SetAccessibleText(BEdit, QStringLiteral("Formüle git (Edit)"));
    SetAccessibleText(BMemClear, QStringLiteral("Belleği sil (MCLR)"),
        QStringLiteral("Yanındaki listede seçili belleği siler"));
    SetAccessibleText(CClearMems, QStringLiteral("Silinecek bellek"));
    quarnis::AddInvisibleLabel(CClearMems, CClearMems->accessibleName());
    SetAccessibleText(BRD, QStringLiteral("R"), QStringLiteral("İşlevi yok"));
    SetAccessibleText(
        BPoint, QStringLiteral("Kırmızı top"), QStringLiteral("Süs düğmesi; işlevi yok"));
    SetAccessibleText(bLeft, QStringLiteral("İmleç sola"));
    SetAccessibleText(bRight, QStringLiteral("İmleç sağa"));
    SetAccessibleText(bUp, QStringLiteral("İmleç yukarı"));
    SetAccessibleText(bDn, QStringLiteral("İmleç aşağı"));
    SetAccessibleText(BBackSpace, QStringLiteral("Geri sil (C)"));
    SetAccessibleText(BComma, QStringLiteral("Nokta"));
    SetAccessibleText(BP1, QStringLiteral("Sol parantez"));
    SetAccessibleText(BP2, QStringLiteral("Sağ parantez"));
    SetAccessibleText(BArti, QStringLiteral("Artı"));
    SetAccessibleText(BEksi, QStringLiteral("Eksi"));
    SetAccessibleText(BMulti, QStringLiteral("Çarpı"));
    SetAccessibleText(BBolu, QStringLiteral("Bölü"));
    SetAccessibleText(BPow, QStringLiteral("Üs (POW)"));
    SetAccessibleText(BFact, QStringLiteral("Faktöriyel (FCT)"));
    SetAccessibleText(BSqrt, QStringLiteral("Karekök (SQRT)"));
    SetAccessibleText(BGraph, QStringLiteral("Graph"),
        QStringLiteral("Fonksiyon tablosu ve grafik penceresini açar"));
    SetAccessibleText(bInfo, QStringLiteral("Info"), QStringLiteral("Hakkında penceresini açar"));

    // Each memory's two buttons: the in-button stores, the out-button inserts into the
    // formula (the suffixes follow the spoken number: bir'e, iki'ye, üç'e).
    struct Memory {
        QPushButton *in, *out;
        const char *name, *dative, *accusative, *stores;
    };
    const Memory memories[] = {
        { BMem1in, BMem1out, "M1", "M1'e", "M1'i", "Formülü" },
        { BMem2in, BMem2out, "M2", "M2'ye", "M2'yi", "Formülü" },
        { BMem3in, BMem3out, "M3", "M3'e", "M3'ü", "Formülü" },
        { BMemS1in, BMemS1out, "S1", "S1'e", "S1'i", "Sonucu" },
        { BMemS2in, BMemS2out, "S2", "S2'ye", "S2'yi", "Sonucu" },
        { BMemS3in, BMemS3out, "S3", "S3'e", "S3'ü", "Sonucu" },
    };
    for (const Memory& m : memories) {
        SetAccessibleText(m.in, QString::fromUtf8(m.dative) + QStringLiteral(" kaydet"),
            QString::fromUtf8(m.stores)
                + QStringLiteral(" %1 belleğine kaydeder").arg(QString::fromUtf8(m.name)));
        SetAccessibleText(m.out, QString::fromUtf8(m.accusative) + QStringLiteral(" formüle ekle"),
            QStringLiteral("%1 belleğini formülün imleç yerine ekler")
                .arg(QString::fromUtf8(m.name)));
    }
}

void TCalcMain::AnnounceResult()
{
    announcer_->announce(QStringLiteral("Sonuç: ") + Result->text());
}

void TCalcMain::CopyResult()
{
    // An empty result field leaves the clipboard as it was.
    if (!Result->text().isEmpty())
        QGuiApplication::clipboard()->setText(Result->text());
}

void TCalcMain::AddQuitKey(QWidget* window)
{
    // Ctrl+Q itself: the standard Quit key is empty under some keyboard schemes.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), window);
    connect(quit, &QShortcut::activated, this, &TCalcMain::QuitProgram);
}

void TCalcMain::QuitProgram()
{
    // The open graph or information window ends its modal loop first.
    for (QDialog* dialog : { static_cast<QDialog*>(FGraphics), static_cast<QDialog*>(FAbout) }) {
        if (dialog && dialog->isVisible())
            dialog->reject();
    }
    close();
}
