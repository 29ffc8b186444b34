// The graph window on the desktop: the names screen readers say for its controls (the labels
// are their fields' buddies, which also gives them Alt mnemonics), the table's menus and
// keys, and the plot surface in the tab chain with its menu and keys.

#include "ui/accessibility.h"
#include "ui/dialogs.h"
#include "graph_window.h"
#include "lines_model.h"
#include "ui/handler_guard.h"
#include "ui/keys.h"
#include "tabulation/table_text.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QShortcut>

using quarnis::SetAccessibleText;

namespace {

// Makes `label` the buddy label of `control` with the mnemonic its text marks with "&".
void Buddy(QLabel* label, const QString& textWithMnemonic, QWidget* control)
{
    label->setText(textWithMnemonic);
    label->setBuddy(control);
}

// The label of `group` that reads `text`.
QLabel* LabelIn(QWidget* group, const QString& text)
{
    for (QLabel* label : group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

void Buddy(QWidget* group, const QString& text, const QString& textWithMnemonic, QWidget* control)
{
    if (QLabel* label = LabelIn(group, text))
        Buddy(label, textWithMnemonic, control);
}

// Shows `menu` under `control`, deleted once closed.
void PopUp(QMenu* menu, QWidget* control, const QPoint& at)
{
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(control->mapToGlobal(at));
}

} // namespace

void TFGraphics::setUpDesktop()
{
    nameControls();
    setUpTableMenus();
    setUpSurfaceKeys();
}

void TFGraphics::nameControls()
{
    // The left half: each field named after its label. The mnemonics are the letters still
    // free in the window; the grid settings have none left and are reached with Tab.
    Buddy(Label1, QStringLiteral("Fonksiyon &Adı"), FncName);
    Buddy(Label2, QStringLiteral("&Değişken Adı"), FncVar);
    Buddy(Label4, QStringLiteral("Sabit&1 Adı/Değeri"), FncConst1);
    Buddy(Label3, QStringLiteral("Sabit&2 Adı/Değeri"), FncConst2);
    Buddy(Label5, QStringLiteral("Sabit&3 Adı/Değeri"), FncConst3);
    Buddy(Label6, QStringLiteral("Fonk&siyon Tanımı"), FncId);
    Buddy(Label7, QStringLiteral("&Hesap Aralığı"), ex1);
    xa->setBuddy(ex1);
    xb->setBuddy(ex2);
    Buddy(Label8, QStringLiteral("Örnekleme Ade&ti"), Sample);
    Buddy(Label15, QStringLiteral("Son&uç: [i, x, f(x)]"), cCalcExec);
    Buddy(Label17, QStringLiteral("O&ndalık"), scrSonuc);
    Buddy(Label16, QStringLiteral("&Fonksiyon"), FuncFull);

    SetAccessibleText(FncName, QStringLiteral("Fonksiyon adı"));
    SetAccessibleText(
        FncVar, QStringLiteral("Değişken adı"), QStringLiteral("İlk harfi tanımdaki değişkendir"));
    const std::pair<QLineEdit*, QLineEdit*> constants[]
        = { { FncConst1, ec1 }, { FncConst2, ec2 }, { FncConst3, ec3 } };
    for (int i = 0; i < 3; ++i) {
        SetAccessibleText(constants[i].first, QStringLiteral("Sabit%1 adı").arg(i + 1),
            QStringLiteral("İlk iki harfi tanımdaki sabitin adıdır"));
        SetAccessibleText(constants[i].second, QStringLiteral("Sabit%1 değeri").arg(i + 1));
    }
    SetAccessibleText(FncId, QStringLiteral("Fonksiyon tanımı"),
        QStringLiteral("Değişken ve sabitlerle yazılan formül"));
    SetAccessibleText(
        ex1, QStringLiteral("Aralığın başı"), QStringLiteral("Hesap aralığının ilk noktası"));
    SetAccessibleText(
        ex2, QStringLiteral("Aralığın sonu"), QStringLiteral("Hesap aralığının son noktası"));
    SetAccessibleText(
        Sample, QStringLiteral("Örnekleme adedi"), QStringLiteral("Aralığın eşit adım sayısı"));
    SetAccessibleText(cCalcExec, QStringLiteral("Sonuç listesi"),
        QStringLiteral("Her nokta için [i]:(x,f(x)); menüsü tabloyu kopyalar ve kaydeder"));
    SetAccessibleText(scrSonuc, QStringLiteral("Ondalık sayısı"),
        QStringLiteral("Listelenen değerlerin ondalığı; -1 onlara yuvarlar"));
    SetAccessibleText(FuncFull, QStringLiteral("Tam fonksiyon tanımı"));
    SetAccessibleText(lFuncVars, QStringLiteral("Tablo"),
        QStringLiteral("Sonuç listesinin kopyası; Ctrl+C ya da menüsü tabloyu kopyalar"));
    SetAccessibleText(bEval1D, QStringLiteral("HESAPLA"),
        QStringLiteral("Fonksiyonu aralık boyunca hesaplar ve listeler"));

    // The right half.
    Buddy(gGrap, QStringLiteral("Alan Rengi"), QStringLiteral("Alan &Rengi"), bColorAlan);
    Buddy(gGrap, QStringLiteral("Başlık Rengi"), QStringLiteral("Başlık Rengi"), bColorEtiket);
    Buddy(gGrap, QStringLiteral("Graf. Rengi"), QStringLiteral("&Graf. Rengi"), bColorGraf);
    Buddy(gGrap, QStringLiteral("Alan Biçimi"), QStringLiteral("A&lan Biçimi"), cAlanTip);
    Buddy(gGrap, QStringLiteral("Graf. Biçimi"), QStringLiteral("Graf. &Biçimi"), cGraphTip);
    Buddy(gGrap, QStringLiteral("Başlık Font"), QStringLiteral("Başlık Font"), cEtiketFont);
    Buddy(gGrap, QStringLiteral("Çizgi Biçimi"), QStringLiteral("Çi&zgi Biçimi"), cGrafTip);
    Buddy(gXY, QStringLiteral("Renk"), QStringLiteral("R&enk"), bColorXY);
    Buddy(gXY, QStringLiteral("Genişlik"), QStringLiteral("Genişli&k"), cXYWidth);
    Buddy(gXY, QStringLiteral("Biçim"), QStringLiteral("Biçi&m"), cXYTip);
    Buddy(gXY, QStringLiteral("Ölçek Tipi"), QStringLiteral("Ölçek Ti&pi"), cScTip);
    Buddy(gXY, QStringLiteral("X Orj"), QStringLiteral("X Or&j"), cYPerc);
    Buddy(gXY, QStringLiteral("Y Orj"), QStringLiteral("Y &Orj"), cXPerc);
    Buddy(gXY, QStringLiteral("x[X]"), QStringLiteral("&x[X]"), xScale);
    Buddy(gXY, QStringLiteral("x[Y]"), QStringLiteral("x[&Y]"), yScale);
    Buddy(gGrid, QStringLiteral("Renk"), QStringLiteral("Renk"), bColorGrid);
    // The grid's "Biçim" would repeat that of the axes: its lists get labels of their own.
    quarnis::AddInvisibleLabel(cGridTip, QStringLiteral("Grid çizgi biçimi"));
    quarnis::AddInvisibleLabel(cGridType, QStringLiteral("Grid sayısı"));
    quarnis::AddInvisibleLabel(cGrafWidth, QStringLiteral("Grafik çizgi genişliği"));

    SetAccessibleText(
        cAlanTip, QStringLiteral("Alan biçimi"), QStringLiteral("Grafik alanının dolgusu"));
    SetAccessibleText(cGraphTip, QStringLiteral("Grafik biçimi"),
        QStringLiteral("Noktalar tek tek ya da çizgiyle"));
    SetAccessibleText(cGrafWidth, QStringLiteral("Grafik çizgi genişliği"));
    SetAccessibleText(cEtiketFont, QStringLiteral("Başlık yazı tipi"));
    SetAccessibleText(cGrafTip, QStringLiteral("Grafik çizgi biçimi"));
    SetAccessibleText(cXYWidth, QStringLiteral("Eksen genişliği"));
    SetAccessibleText(cXYTip, QStringLiteral("Eksen çizgi biçimi"));
    SetAccessibleText(cScTip, QStringLiteral("Ölçek tipi"),
        QStringLiteral("Oto. Ölçeklendir'in ölçüsü: en büyük ya da ortalama değer"));
    SetAccessibleText(cYPerc, QStringLiteral("X ekseninin yeri"),
        QStringLiteral("Yatay eksenin alan yüksekliğindeki yeri (X Orj)"));
    SetAccessibleText(cXPerc, QStringLiteral("Y ekseninin yeri"),
        QStringLiteral("Düşey eksenin alan genişliğindeki yeri (Y Orj)"));
    SetAccessibleText(
        xScale, QStringLiteral("x ölçeği"), QStringLiteral("x'in birimi başına piksel"));
    SetAccessibleText(
        yScale, QStringLiteral("y ölçeği"), QStringLiteral("y'nin birimi başına piksel"));
    SetAccessibleText(bAutoScale, QStringLiteral("Oto. Ölçeklendir"),
        QStringLiteral("Ölçekleri noktalardan hesaplar"));
    SetAccessibleText(sGrid, QStringLiteral("Grid Çizilsin"));
    SetAccessibleText(cGridTip, QStringLiteral("Grid çizgi biçimi"));
    SetAccessibleText(
        cGridType, QStringLiteral("Grid sayısı"), QStringLiteral("Grid bölümlerinin sayısı"));
    SetAccessibleText(GrapBox, QStringLiteral("Grafik alanı"),
        QStringLiteral("Menü tuşu ya da Shift+F10: menü; Ctrl+S kaydeder, Ctrl+C kopyalar"));
}

// ---- The table ----

std::vector<std::u16string> TFGraphics::tableLines(TableSource source) const
{
    return (source == TableSource::ListBox ? listBoxModel_ : resultModel_)->lineTexts();
}

const TFGraphics::TableHeader& TFGraphics::tableHeader(TableSource source) const
{
    return source == TableSource::ListBox ? listBoxHeader_ : resultHeader_;
}

QString TFGraphics::TableText(TableSource source) const
{
    const TableHeader& header = tableHeader(source);
    return QString::fromStdU16String(
        quarnis::TabSeparatedTable(header.variable, header.definition, tableLines(source)));
}

void TFGraphics::CopyTable(TableSource source)
{
    if (!tableLines(source).empty())
        QGuiApplication::clipboard()->setText(TableText(source));
}

void TFGraphics::SaveTableAs(TableSource source)
{
    QString name = quarnis::Dialogs::current().saveFileName(
        this, QStringLiteral("Tabloyu Kaydet"), QStringLiteral("CSV dosyası (*.csv)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".csv");
    const TableHeader& header = tableHeader(source);
    const QByteArray csv = QString::fromStdU16String(
        quarnis::CsvTable(header.variable, header.definition, tableLines(source)))
                               .toUtf8();
    // Written beside the target and renamed over it at the end: a failure leaves no half file.
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit())
        return;
    quarnis::Dialogs::current().message(this, quarnis::kApplicationTitle,
        QStringLiteral("Tablo \"%1\" dosyasına kaydedilemedi: %2").arg(name, file.errorString()),
        quarnis::Dialogs::Icon::Stop);
}

QMenu* TFGraphics::createTableMenu(TableSource source, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const bool empty = tableLines(source).empty();
    QAction* copy = menu->addAction(QStringLiteral("Tabloyu Kopyala"));
    if (source == TableSource::ListBox)
        copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!empty);
    connect(copy, &QAction::triggered, this,
        [this, source] { quarnis::RunGuarded(this, [&] { CopyTable(source); }); });
    QAction* save = menu->addAction(QStringLiteral("Tabloyu Kaydet..."));
    save->setEnabled(!empty);
    connect(save, &QAction::triggered, this,
        [this, source] { quarnis::RunGuarded(this, [&] { SaveTableAs(source); }); });
    return menu;
}

void TFGraphics::setUpTableMenus()
{
    // The header of the lines each list holds: the record as HESAPLA stored it when the
    // result list was written, and the result list's when the list box took its lines.
    connect(resultModel_, &QAbstractItemModel::modelReset, this, [this] {
        if (Func)
            resultHeader_ = { Func->VarName, Func->FullText() };
    });
    connect(listBoxModel_, &QAbstractItemModel::modelReset, this,
        [this] { listBoxHeader_ = resultHeader_; });

    // The result list: its field's own edit menu with the table's two commands below it.
    cCalcExec->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cCalcExec->lineEdit(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) {
            QMenu* menu = cCalcExec->lineEdit()->createStandardContextMenu();
            menu->addSeparator();
            QMenu* table = createTableMenu(TableSource::ResultList, menu);
            menu->addActions(table->actions());
            PopUp(menu, cCalcExec->lineEdit(), at);
        });
    cCalcExec->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cCalcExec, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopUp(createTableMenu(TableSource::ResultList, this), cCalcExec, at);
    });

    lFuncVars->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lFuncVars, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopUp(createTableMenu(TableSource::ListBox, this), lFuncVars->viewport(), at);
    });
    quarnis::OnMenuKeysRequestMenu(cCalcExec->lineEdit());
    quarnis::OnMenuKeysRequestMenu(lFuncVars);
    quarnis::OnKeyPress(lFuncVars, QKeySequence::Copy, [this] {
        quarnis::RunGuarded(this, [this] { CopyTable(TableSource::ListBox); });
        return true;
    });
}

// ---- The plot surface ----

void TFGraphics::setUpSurfaceKeys()
{
    // The surface comes last in the tab chain, after the grid settings.
    GrapBox->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(cGridTip, GrapBox);

    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, GrapBox, &quarnis::PlotSurface::savePictureAs);
    quarnis::OnKeyPress(GrapBox, QKeySequence::Copy, [this] {
        GrapBox->copyToClipboard();
        return true;
    });
    quarnis::OnMenuKeys(GrapBox,
        [this] { PopUp(GrapBox->createContextMenu(GrapBox), GrapBox, GrapBox->rect().center()); });
}
