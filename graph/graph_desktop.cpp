// The graph window on the desktop: the names screen readers say for its controls, the
// table's menus and keys, and the plot surface in the tab chain with its menu and keys.

#include "graph_window.h"

#include "lines_model.h"
#include "plot_surface.h"
#include "tabulation/table_text.h"
#include "ui/accessibility.h"
#include "ui/dialogs.h"
#include "ui/handler_guard.h"
#include "ui/keys.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QShortcut>

using namespace Qt::StringLiterals;
using quarnis::SetAccessibleText;

namespace {

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
    // The left half: each field is named after its label, whose mnemonic is among the letters
    // still free in the window; the grid settings have none left and are reached with Tab.
    SetAccessibleText(functionName_, u"Fonksiyon adı"_s);
    SetAccessibleText(variableName_, u"Değişken adı"_s, u"İlk harfi tanımdaki değişkendir"_s);
    for (int i = 0; i < 3; ++i) {
        SetAccessibleText(constantNames_[i], u"Sabit%1 adı"_s.arg(i + 1),
            u"İlk iki harfi tanımdaki sabitin adıdır"_s);
        SetAccessibleText(constantValues_[i], u"Sabit%1 değeri"_s.arg(i + 1));
    }
    SetAccessibleText(
        definition_, u"Fonksiyon tanımı"_s, u"Değişken ve sabitlerle yazılan formül"_s);
    SetAccessibleText(rangeStart_, u"Aralığın başı"_s, u"Hesap aralığının ilk noktası"_s);
    SetAccessibleText(rangeEnd_, u"Aralığın sonu"_s, u"Hesap aralığının son noktası"_s);
    SetAccessibleText(sampleCount_, u"Örnekleme adedi"_s, u"Aralığın eşit adım sayısı"_s);
    SetAccessibleText(resultList_, u"Sonuç listesi"_s,
        u"Her nokta için [i]:(x,f(x)); menüsü tabloyu kopyalar ve kaydeder"_s);
    SetAccessibleText(
        decimals_, u"Ondalık sayısı"_s, u"Listelenen değerlerin ondalığı; -1 onlara yuvarlar"_s);
    SetAccessibleText(fullDefinition_, u"Tam fonksiyon tanımı"_s);
    SetAccessibleText(
        listBox_, u"Tablo"_s, u"Sonuç listesinin kopyası; Ctrl+C ya da menüsü tabloyu kopyalar"_s);
    SetAccessibleText(
        calculateButton_, u"HESAPLA"_s, u"Fonksiyonu aralık boyunca hesaplar ve listeler"_s);

    // The right half. The grid's "Biçim" would repeat that of the axes and the curve's width
    // has no label: these lists get labels of their own.
    quarnis::AddInvisibleLabel(gridStyle_, u"Grid çizgi biçimi"_s);
    quarnis::AddInvisibleLabel(gridCount_, u"Grid sayısı"_s);
    quarnis::AddInvisibleLabel(curveWidth_, u"Grafik çizgi genişliği"_s);

    SetAccessibleText(areaStyle_, u"Alan biçimi"_s, u"Grafik alanının dolgusu"_s);
    SetAccessibleText(curveKind_, u"Grafik biçimi"_s, u"Noktalar tek tek ya da çizgiyle"_s);
    SetAccessibleText(curveWidth_, u"Grafik çizgi genişliği"_s);
    SetAccessibleText(titleFont_, u"Başlık yazı tipi"_s);
    SetAccessibleText(curveStyle_, u"Grafik çizgi biçimi"_s);
    SetAccessibleText(axesWidth_, u"Eksen genişliği"_s);
    SetAccessibleText(axesStyle_, u"Eksen çizgi biçimi"_s);
    SetAccessibleText(scaleMeasure_, u"Ölçek tipi"_s,
        u"Oto. Ölçeklendir'in ölçüsü: en büyük ya da ortalama değer"_s);
    SetAccessibleText(
        xOrigin_, u"X ekseninin yeri"_s, u"Yatay eksenin alan yüksekliğindeki yeri (X Orj)"_s);
    SetAccessibleText(
        yOrigin_, u"Y ekseninin yeri"_s, u"Düşey eksenin alan genişliğindeki yeri (Y Orj)"_s);
    SetAccessibleText(xScale_, u"x ölçeği"_s, u"x'in birimi başına piksel"_s);
    SetAccessibleText(yScale_, u"y ölçeği"_s, u"y'nin birimi başına piksel"_s);
    SetAccessibleText(autoScaleButton_, u"Oto. Ölçeklendir"_s, u"Ölçekleri noktalardan hesaplar"_s);
    SetAccessibleText(gridShown_, u"Grid Çizilsin"_s);
    SetAccessibleText(gridStyle_, u"Grid çizgi biçimi"_s);
    SetAccessibleText(gridCount_, u"Grid sayısı"_s, u"Grid bölümlerinin sayısı"_s);
    SetAccessibleText(surface_, u"Grafik alanı"_s,
        u"Menü tuşu ya da Shift+F10: menü; Ctrl+S kaydeder, Ctrl+C kopyalar, Ctrl+P yazdırır"_s);
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
        resultHeader_ = { function_.VarName, function_.FullText() };
    });
    connect(listBoxModel_, &QAbstractItemModel::modelReset, this,
        [this] { listBoxHeader_ = resultHeader_; });

    // The result list: its field's own edit menu with the table's two commands below it.
    resultList_->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultList_->lineEdit(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) {
            QMenu* menu = resultList_->lineEdit()->createStandardContextMenu();
            menu->addSeparator();
            QMenu* table = createTableMenu(TableSource::ResultList, menu);
            menu->addActions(table->actions());
            PopUp(menu, resultList_->lineEdit(), at);
        });
    resultList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopUp(createTableMenu(TableSource::ResultList, this), resultList_, at);
    });

    listBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopUp(createTableMenu(TableSource::ListBox, this), listBox_->viewport(), at);
    });
    quarnis::OnMenuKeysRequestMenu(resultList_->lineEdit());
    quarnis::OnMenuKeysRequestMenu(listBox_);
    quarnis::OnKeyPress(listBox_, QKeySequence::Copy, [this] {
        quarnis::RunGuarded(this, [this] { CopyTable(TableSource::ListBox); });
        return true;
    });
}

// ---- The plot surface ----

void TFGraphics::setUpSurfaceKeys()
{
    // The surface comes last in the tab chain, after the grid settings.
    surface_->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(gridStyle_, surface_);

    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, surface_, &quarnis::PlotSurface::savePictureAs);
    auto* print = new QShortcut(QKeySequence::Print, this);
    connect(print, &QShortcut::activated, surface_, &quarnis::PlotSurface::printPicture);
    // The printed page names the function as the "Fonksiyon" field shows it.
    surface_->setPrintCaption([this] { return fullDefinition_->text(); });
    quarnis::OnKeyPress(surface_, QKeySequence::Copy, [this] {
        surface_->copyToClipboard();
        return true;
    });
    quarnis::OnMenuKeys(surface_, [this] {
        PopUp(surface_->createContextMenu(surface_), surface_, surface_->rect().center());
    });
}
