// The graph window on the desktop: the names screen readers say for its controls, the
// table's menus and keys, and the plot surface in the tab chain with its menu and keys.

#include "graph_window.h"

#include "color_button.h"
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
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QShortcut>

#include <string_view>
#include <variant>

using namespace Qt::StringLiterals;

namespace quarnis {

namespace {

    // Shows `menu` under `control`, deleted once closed.
    void popUp(QMenu* menu, QWidget* control, const QPoint& at)
    {
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(control->mapToGlobal(at));
    }

} // namespace

void GraphWindow::setUpDesktop()
{
    nameControls();
    setUpTableMenus();
    setUpSurfaceKeys();
    setUpSessionKeys();
}

void GraphWindow::nameControls()
{
    // The left half: each field is named after its label, whose mnemonic is among the letters
    // still free in the window; the grid settings have none left and are reached with Tab.
    setAccessibleText(functionName_, u"Fonksiyon adı"_s);
    setAccessibleText(variableName_, u"Değişken adı"_s, u"İlk harfi tanımdaki değişkendir"_s);
    for (int i = 0; i < 3; ++i) {
        setAccessibleText(constantNames_[i], u"Sabit%1 adı"_s.arg(i + 1),
            u"İlk iki harfi tanımdaki sabitin adıdır"_s);
        setAccessibleText(constantValues_[i], u"Sabit%1 değeri"_s.arg(i + 1));
    }
    setAccessibleText(
        definition_, u"Fonksiyon tanımı"_s, u"Değişken ve sabitlerle yazılan formül"_s);
    setAccessibleText(rangeStart_, u"Aralığın başı"_s, u"Hesap aralığının ilk noktası"_s);
    setAccessibleText(rangeEnd_, u"Aralığın sonu"_s, u"Hesap aralığının son noktası"_s);
    setAccessibleText(sampleCount_, u"Örnekleme adedi"_s, u"Aralığın eşit adım sayısı"_s);
    setAccessibleText(resultList_, u"Sonuç listesi"_s,
        u"Her nokta için [i]:(x,f(x)); menüsü tabloyu kopyalar ve kaydeder"_s);
    setAccessibleText(
        decimals_, u"Ondalık sayısı"_s, u"Listelenen değerlerin ondalığı; -1 onlara yuvarlar"_s);
    setAccessibleText(fullDefinition_, u"Tam fonksiyon tanımı"_s);
    setAccessibleText(
        listBox_, u"Tablo"_s, u"Sonuç listesinin kopyası; Ctrl+C ya da menüsü tabloyu kopyalar"_s);
    setAccessibleText(
        calculateButton_, u"HESAPLA"_s, u"Fonksiyonu aralık boyunca hesaplar ve listeler"_s);

    // The right half. The grid's "Biçim" would repeat that of the axes and the curve's width
    // has no label: these lists get labels of their own.
    quarnis::addInvisibleLabel(gridStyle_, u"Grid çizgi biçimi"_s);
    quarnis::addInvisibleLabel(gridCount_, u"Grid sayısı"_s);
    quarnis::addInvisibleLabel(curveWidth_, u"Grafik çizgi genişliği"_s);

    setAccessibleText(areaStyle_, u"Alan biçimi"_s, u"Grafik alanının dolgusu"_s);
    setAccessibleText(curveKind_, u"Grafik biçimi"_s, u"Noktalar tek tek ya da çizgiyle"_s);
    setAccessibleText(curveWidth_, u"Grafik çizgi genişliği"_s);
    setAccessibleText(titleFont_, u"Başlık yazı tipi"_s);
    setAccessibleText(curveStyle_, u"Grafik çizgi biçimi"_s);
    setAccessibleText(axesWidth_, u"Eksen genişliği"_s);
    setAccessibleText(axesStyle_, u"Eksen çizgi biçimi"_s);
    setAccessibleText(scaleMeasure_, u"Ölçek tipi"_s,
        u"Oto. Ölçeklendir'in ölçüsü: en büyük ya da ortalama değer"_s);
    setAccessibleText(
        xOrigin_, u"X ekseninin yeri"_s, u"Yatay eksenin alan yüksekliğindeki yeri (X Orj)"_s);
    setAccessibleText(
        yOrigin_, u"Y ekseninin yeri"_s, u"Düşey eksenin alan genişliğindeki yeri (Y Orj)"_s);
    setAccessibleText(xScale_, u"x ölçeği"_s, u"x'in birimi başına piksel"_s);
    setAccessibleText(yScale_, u"y ölçeği"_s, u"y'nin birimi başına piksel"_s);
    setAccessibleText(autoScaleButton_, u"Oto. Ölçeklendir"_s, u"Ölçekleri noktalardan hesaplar"_s);
    setAccessibleText(gridShown_, u"Grid Çizilsin"_s);
    setAccessibleText(gridStyle_, u"Grid çizgi biçimi"_s);
    setAccessibleText(gridCount_, u"Grid sayısı"_s, u"Grid bölümlerinin sayısı"_s);
    setAccessibleText(surface_, u"Grafik alanı"_s,
        u"Menü tuşu ya da Shift+F10: menü; Ctrl+S kaydeder, Ctrl+C kopyalar, Ctrl+P yazdırır"_s);
}

// ---- The table ----

std::vector<std::u16string> GraphWindow::tableLines(TableSource source) const
{
    return (source == TableSource::ListBox ? listBoxModel_ : resultModel_)->lineTexts();
}

const GraphWindow::TableHeader& GraphWindow::tableHeader(TableSource source) const
{
    return source == TableSource::ListBox ? listBoxHeader_ : resultHeader_;
}

QString GraphWindow::tableText(TableSource source) const
{
    const TableHeader& header = tableHeader(source);
    return QString::fromStdU16String(
        quarnis::tabSeparatedTable(header.variable, header.definition, tableLines(source)));
}

void GraphWindow::copyTable(TableSource source)
{
    if (!tableLines(source).empty())
        QGuiApplication::clipboard()->setText(tableText(source));
}

void GraphWindow::saveTableAs(TableSource source)
{
    QString name = dialogs_.saveFileName(
        this, QStringLiteral("Tabloyu Kaydet"), QStringLiteral("CSV dosyası (*.csv)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".csv");
    const TableHeader& header = tableHeader(source);
    const QByteArray csv = QString::fromStdU16String(
        quarnis::csvTable(header.variable, header.definition, tableLines(source)))
                               .toUtf8();
    // Written beside the target and renamed over it at the end: a failure leaves no half file.
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit())
        return;
    dialogs_.message(this, quarnis::kApplicationTitle,
        QStringLiteral("Tablo \"%1\" dosyasına kaydedilemedi: %2").arg(name, file.errorString()),
        quarnis::Dialogs::Icon::Stop);
}

QMenu* GraphWindow::createTableMenu(TableSource source, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const bool empty = tableLines(source).empty();
    QAction* copy = menu->addAction(QStringLiteral("Tabloyu Kopyala"));
    if (source == TableSource::ListBox)
        copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!empty);
    connect(copy, &QAction::triggered, this,
        [this, source] { quarnis::runGuarded(dialogs_, this, [&] { copyTable(source); }); });
    QAction* save = menu->addAction(QStringLiteral("Tabloyu Kaydet..."));
    save->setEnabled(!empty);
    connect(save, &QAction::triggered, this,
        [this, source] { quarnis::runGuarded(dialogs_, this, [&] { saveTableAs(source); }); });
    return menu;
}

void GraphWindow::setUpTableMenus()
{
    // The header of the lines each list holds: the record as HESAPLA stored it when the
    // result list was written, and the result list's when the list box took its lines.
    connect(resultModel_, &QAbstractItemModel::modelReset, this, [this] {
        resultHeader_ = { function_.variableName, function_.fullText() };
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
            popUp(menu, resultList_->lineEdit(), at);
        });
    resultList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        popUp(createTableMenu(TableSource::ResultList, this), resultList_, at);
    });

    listBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        popUp(createTableMenu(TableSource::ListBox, this), listBox_->viewport(), at);
    });
    quarnis::onMenuKeysRequestMenu(resultList_->lineEdit());
    quarnis::onMenuKeysRequestMenu(listBox_);
    quarnis::onKeyPress(listBox_, QKeySequence::Copy, [this] {
        quarnis::runGuarded(dialogs_, this, [this] { copyTable(TableSource::ListBox); });
        return true;
    });
}

// ---- The plot surface ----

void GraphWindow::setUpSurfaceKeys()
{
    // The surface comes last in the tab chain, after the grid settings.
    surface_->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(gridStyle_, surface_);

    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, surface_, &quarnis::PlotSurface::savePictureAs);
    auto* print = new QShortcut(QKeySequence::Print, this);
    connect(print, &QShortcut::activated, surface_, &quarnis::PlotSurface::printPicture);
    // The printed page names the function as the "Fonksiyon" field shows it, in the title's
    // colour and font ("Başlık Rengi", "Başlık Font").
    surface_->setPrintCaption([this] {
        return quarnis::PictureCaption { fullDefinition_->text(), titleColor_->color(),
            titleFont_->currentText() };
    });
    quarnis::onKeyPress(surface_, QKeySequence::Copy, [this] {
        surface_->copyToClipboard();
        return true;
    });
    quarnis::onMenuKeys(surface_, [this] {
        popUp(surface_->createContextMenu(surface_), surface_, surface_->rect().center());
    });
}

// ---- The work file ----

namespace {

    const QString kSessionFilter = QStringLiteral("Grafik çalışması (*.qgraf)");

    void showError(quarnis::Dialogs& dialogs, QWidget* parent, const QString& text)
    {
        dialogs.message(parent, quarnis::kApplicationTitle, text, quarnis::Dialogs::Icon::Stop);
    }

} // namespace

quarnis::GraphSession GraphWindow::session() const
{
    return { panelTexts(), decimals_->value(), plotControls() };
}

void GraphWindow::setSession(const quarnis::GraphSession& s)
{
    const auto set = [](QLineEdit* field, const std::u16string& text) {
        field->setText(QString::fromStdU16String(text));
    };
    const quarnis::FuncPanelTexts& p = s.panel;
    set(functionName_, p.name);
    set(variableName_, p.var);
    set(constantNames_[0], p.const1);
    set(constantNames_[1], p.const2);
    set(constantNames_[2], p.const3);
    set(constantValues_[0], p.value1);
    set(constantValues_[1], p.value2);
    set(constantValues_[2], p.value3);
    set(definition_, p.definition);
    set(rangeStart_, p.x1);
    set(rangeEnd_, p.x2);
    set(sampleCount_, p.sample);
    decimals_->setValue(s.decimals);
    setPlotControls(s.plot);
    updateRangeLabels();
}

void GraphWindow::saveSessionAs()
{
    QString name = dialogs_.saveFileName(this, QStringLiteral("Çalışmayı Kaydet"), kSessionFilter);
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += u'.' + QString::fromUtf16(quarnis::kGraphSessionSuffix);
    const std::string bytes = quarnis::writeGraphSession(session());
    // Written beside the target and renamed over it at the end: a failure leaves no half file.
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly)
        && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.commit())
        return;
    showError(dialogs_, this,
        QStringLiteral("Çalışma \"%1\" dosyasına kaydedilemedi: %2").arg(name, file.errorString()));
}

void GraphWindow::openSession()
{
    const QString name = dialogs_.openFileName(this, QStringLiteral("Çalışmayı Aç"),
        kSessionFilter + QStringLiteral(";;Tüm dosyalar (*)"));
    if (!name.isEmpty())
        openSessionFile(name);
}

bool GraphWindow::openSessionFile(const QString& fileName)
{
    const QString refused = QStringLiteral("\"%1\" dosyası açılamadı: ").arg(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(dialogs_, this, refused + file.errorString());
        return false;
    }
    // One byte more than allowed is enough to know that the file is too large.
    const QByteArray bytes = file.read(qint64(quarnis::kMaxGraphSessionBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        showError(dialogs_, this, refused + file.errorString());
        return false;
    }
    const auto read
        = quarnis::readGraphSession(std::string_view(bytes.data(), std::size_t(bytes.size())));
    if (const auto* error = std::get_if<quarnis::GraphSessionError>(&read)) {
        const QString reason = QString::fromStdU16String(error->reason);
        showError(dialogs_, this,
            refused
                + (error->line > 0 ? QStringLiteral("%1. satır: %2").arg(error->line).arg(reason)
                                   : reason));
        return false;
    }
    setSession(std::get<quarnis::GraphSession>(read));
    return true;
}

void GraphWindow::setUpSessionKeys()
{
    auto* save = new QAction(QStringLiteral("Çalışmayı Kaydet..."), this);
    save->setObjectName(QStringLiteral("SaveSession"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    save->setShortcutContext(Qt::WindowShortcut);
    connect(save, &QAction::triggered, this,
        [this] { quarnis::runGuarded(dialogs_, this, [this] { saveSessionAs(); }); });
    auto* open = new QAction(QStringLiteral("Çalışmayı Aç..."), this);
    open->setObjectName(QStringLiteral("OpenSession"));
    open->setShortcut(QKeySequence::Open);
    open->setShortcutContext(Qt::WindowShortcut);
    connect(open, &QAction::triggered, this,
        [this] { quarnis::runGuarded(dialogs_, this, [this] { openSession(); }); });
    addActions({ save, open });

    // The function panel's menu: on the panel itself and on what in it has no menu of its own
    // (HESAPLA); the fields keep their edit menus, the lists their table menus.
    auto* panel = findChild<QGroupBox*>(QStringLiteral("FuncIDandCalculatePanel"));
    const auto popUpAt = [this, save, open](QWidget* control, const QPoint& at) {
        auto* menu = new QMenu(this);
        menu->addActions({ save, open });
        popUp(menu, control, at);
    };
    for (QWidget* control :
        { static_cast<QWidget*>(panel), static_cast<QWidget*>(calculateButton_) }) {
        control->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(control, &QWidget::customContextMenuRequested, this,
            [control, popUpAt](const QPoint& at) { popUpAt(control, at); });
    }
    quarnis::onMenuKeysRequestMenu(calculateButton_);
}

} // namespace quarnis
