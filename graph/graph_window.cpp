#include "graph_window.h"

#include "color_button.h"
#include "engine/number_format.h"
#include "lines_model.h"
#include "plot/plot_commands.h"
#include "plot/plot_controls.h"
#include "plot_surface.h"
#include "ui/dialogs.h"
#include "ui/form_building.h"
#include "ui/handler_guard.h"
#include "ui/keys.h"
#include "ui/narrow_combo_style.h"
#include "ui/palette.h"
#include "ui/qt_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QScrollBar>
#include <QToolTip>

#include <limits>
#include <optional>
#include <span>

using namespace Qt::StringLiterals;

namespace quarnis {

namespace {

    QGroupBox* group(QWidget* parent, const char* name, const QString& title, QRect geometry,
        const QColor& color)
    {
        auto* g = placed(new QGroupBox(title, parent), name, geometry);
        quarnis::fillBackground(g, color);
        return g;
    }

    // A single-line label 13 pixels high, as wide as `text`, that shows `shownText`: the same
    // text with the "&" of its mnemonic, once its control is its buddy.
    QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y,
        const QString& shownText = {})
    {
        auto* l = named(new QLabel(text, parent), name);
        l->setGeometry(x, y, l->sizeHint().width(), 13);
        if (!shownText.isEmpty())
            l->setText(shownText);
        return l;
    }

    // A label of its own size that clips a longer caption.
    QLabel* fixedLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
    {
        return placed(new QLabel(text, parent), name, geometry);
    }

    QLineEdit* edit(QWidget* parent, const char* name, const QString& text, QRect geometry,
        bool rightAligned = false)
    {
        auto* e = placed(new QLineEdit(text, parent), name, geometry);
        if (rightAligned)
            e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return e;
    }

    // A drop-down list whose text field the user may also type into; a typed text never
    // becomes an entry.
    QComboBox* list(QWidget* parent, const char* name, QRect geometry)
    {
        auto* c = named(new QComboBox(parent), name);
        c->setStyle(parent->window()->findChild<quarnis::NarrowComboStyle*>());
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setGeometry(geometry);
        return c;
    }

    QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry)
    {
        return quarnis::makeButton(
            parent, name, text, geometry, quarnis::EnterKey::PressesNoButton);
    }

    ColorButton* colorButton(quarnis::Dialogs& dialogs, QWidget* parent, const char* name, int x,
        int y, const QString& spoken)
    {
        auto* b = placed(new ColorButton(dialogs, parent), name, QRect(x, y, 25, 21));
        b->setAccessibleName(spoken);
        return b;
    }

    QString toQString(std::u16string_view s)
    {
        return QString::fromUtf16(s.data(), qsizetype(s.size()));
    }

    void fill(QComboBox* c, std::span<const std::u16string_view> entries)
    {
        for (std::u16string_view entry : entries)
            c->addItem(toQString(entry));
    }

    // Shows the text in the list's field: its entry when it is one, else a text of its own.
    void showText(QComboBox* c, const std::u16string& text)
    {
        const int i = c->findText(QString::fromStdU16String(text), Qt::MatchExactly);
        if (i >= 0)
            c->setCurrentIndex(i);
        c->setEditText(QString::fromStdU16String(text));
    }

} // namespace

// Gathers the tabulation's lines and puts them into the result list in one go when it ends,
// also when a fault or the user's cancel ends it early: the lines of the points before stay
// listed. A tabulation still running after half a second shows how many points are done in
// a progress box whose button (or Esc) cancels it; only then are events handled between
// points, at most every 50 ms, and the box blocks the window meanwhile.
class GraphWindow::ResultListWriter : public quarnis::TabulationOutput {
public:
    static constexpr qint64 kProgressDelayMs = 500;
    static constexpr qint64 kProgressUpdateMs = 50;

    explicit ResultListWriter(GraphWindow& window)
        : window_(window)
    {
        clock_.start();
    }
    ~ResultListWriter()
    {
        progress_.reset();
        window_.resultModel_->setLines(
            std::make_shared<const std::vector<std::u16string>>(std::move(lines_)));
        window_.resultList_->setCurrentIndex(-1); // listing selects no line
    }
    int decimals() override { return window_.decimals_->value(); }
    void append(std::u16string line, bool) override { lines_.push_back(std::move(line)); }
    bool progress(unsigned done, unsigned total) override
    {
        const qint64 now = clock_.elapsed();
        if (now < kProgressDelayMs || now - shownAt_ < kProgressUpdateMs)
            return true;
        shownAt_ = now;
        if (!progress_) {
            progress_ = std::make_unique<QProgressDialog>(&window_);
            progress_->setWindowTitle(window_.windowTitle());
            progress_->setCancelButtonText(QStringLiteral("İptal"));
            auto* bar = new QProgressBar; // the box takes it
            bar->setFormat(quarnis::kTurkishPercentFormat);
            progress_->setBar(bar);
            progress_->setWindowModality(Qt::WindowModal);
            progress_->setAutoClose(false);
            progress_->setAutoReset(false);
            progress_->setMinimumDuration(0);
            progress_->setRange(0, int(total));
            // Esc rejects the box; that is a cancel too.
            connect(progress_.get(), &QDialog::rejected, progress_.get(), &QProgressDialog::cancel);
            progress_->show();
        }
        progress_->setLabelText(QStringLiteral("%1 / %2 nokta hesaplandı").arg(done).arg(total));
        progress_->setValue(int(done));
        QCoreApplication::processEvents();
        return !progress_->wasCanceled();
    }

private:
    GraphWindow& window_;
    std::vector<std::u16string> lines_;
    QElapsedTimer clock_;
    qint64 shownAt_ = 0;
    std::unique_ptr<QProgressDialog> progress_;
};

// The plot commands' refusals and notices, as message boxes over the window without icon.
class GraphWindow::BoxReport final : public quarnis::PlotReport {
public:
    BoxReport(quarnis::Dialogs& dialogs, QWidget* window)
        : dialogs_(dialogs)
        , window_(window)
    {
    }
    void refuse(std::u16string_view caption, std::u16string_view text) override
    {
        show(toQString(caption), toQString(text));
    }
    void notify(std::u16string_view text) override
    {
        show(quarnis::kApplicationTitle, toQString(text));
    }

private:
    void show(const QString& caption, const QString& text)
    {
        dialogs_.message(window_, caption, text, quarnis::Dialogs::Icon::None);
    }
    quarnis::Dialogs& dialogs_;
    QWidget* window_;
};

GraphWindow::GraphWindow(quarnis::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , dialogs_(dialogs)
{
    setWindowTitle(u"Grafik Formu"_s);
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(812, 597);
    quarnis::useFixedPalette(this);
    QFont f = font();
    f.setFamilies({ u"Tahoma"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s });
    f.setPixelSize(11);
    setFont(f);
    // One style for all the lists, found by them and released with the window.
    (new quarnis::NarrowComboStyle({ .arrowInset = 0, .editLeft = 2, .editGap = 1 }))
        ->setParent(this);

    QFrame* mainPanel
        = quarnis::makePanel(this, "MainPanel", QRect(0, 5, 810, 588), quarnis::kOlive);

    buildFunctionPanel(mainPanel);
    buildGraphPanel(mainPanel);
    orderTabs();

    // Qt's line edits keep 32767 characters unless told otherwise; these take any text, a
    // definition of megabytes included.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setMaxLength(std::numeric_limits<int>::max());

    // The number fields write the decimal point as "."; a typed comma becomes one, as in the
    // calculator's editor.
    for (QLineEdit* field : { constantValues_[0], constantValues_[1], constantValues_[2],
             rangeStart_, rangeEnd_, sampleCount_, xScale_, yScale_ })
        quarnis::typeCommaAsFullStop(field);

    fillLists();
    setUpDesktop();
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::buildFunctionPanel(QWidget* mainPanel)
{
    QWidget* g = group(mainPanel, "FuncIDandCalculatePanel", u"[ Fonksiyon Tanımı ]"_s,
        QRect(8, 8, 297, 569), quarnis::kMoneyGreen);

    QLabel* nameLabel = label(g, "Label1", u"Fonksiyon Adı"_s, 16, 24, u"Fonksiyon &Adı"_s);
    functionName_ = edit(g, "FncName", u"F"_s, QRect(112, 24, 177, 21));
    nameLabel->setBuddy(functionName_);
    QLabel* variableLabel = label(g, "Label2", u"Değişken Adı"_s, 16, 48, u"&Değişken Adı"_s);
    variableName_ = edit(g, "FncVar", u"t"_s, QRect(112, 48, 177, 21));
    variableLabel->setBuddy(variableName_);
    variableName_->installEventFilter(this);

    // The three constants, each a name and a value.
    const struct {
        const char *label, *name, *assign, *value;
        int y, assignY;
    } constants[] = {
        { "Label4", "FncConst1", "Label10", "ec1", 72, 77 },
        { "Label3", "FncConst2", "Label11", "ec2", 96, 99 },
        { "Label5", "FncConst3", "Label12", "ec3", 121, 123 },
    };
    for (int i = 0; i < 3; ++i) {
        const auto& c = constants[i];
        QLabel* l = label(g, c.label, u"Sabit%1 Adı/Değeri"_s.arg(i + 1), 16, c.y,
            u"Sabit&%1 Adı/Değeri"_s.arg(i + 1));
        constantNames_[i] = edit(g, c.name, u"c%1"_s.arg(i + 1), QRect(112, c.y, 82, 21));
        l->setBuddy(constantNames_[i]);
        fixedLabel(g, c.assign, u":="_s, QRect(200, c.assignY, 25, 13));
        constantValues_[i] = edit(g, c.value, u"0"_s, QRect(224, c.y, 65, 21), true);
    }

    QLabel* definitionLabel
        = label(g, "Label6", u"Fonksiyon Tanımı"_s, 16, 148, u"Fonk&siyon Tanımı"_s);
    definition_ = edit(g, "FncId", u"t"_s, QRect(112, 148, 177, 21));
    definitionLabel->setBuddy(definition_);

    QLabel* rangeLabel = label(g, "Label7", u"Hesap Aralığı"_s, 16, 176, u"&Hesap Aralığı"_s);
    rangeStartLabel_ = fixedLabel(g, "xa", u"x1"_s, QRect(112, 175, 25, 13));
    fixedLabel(g, "Label13", u":="_s, QRect(128, 175, 11, 13));
    rangeStart_ = edit(g, "ex1", u"0"_s, QRect(145, 175, 49, 21), true);
    rangeLabel->setBuddy(rangeStart_);
    rangeStartLabel_->setBuddy(rangeStart_);
    rangeEndLabel_ = fixedLabel(g, "xb", u"x2"_s, QRect(200, 175, 25, 13));
    fixedLabel(g, "Label14", u":="_s, QRect(214, 175, 11, 13));
    rangeEnd_ = edit(g, "ex2", u"10"_s, QRect(231, 175, 58, 21), true);
    rangeEndLabel_->setBuddy(rangeEnd_);

    QLabel* sampleLabel = label(g, "Label8", u"Örnekleme Adeti"_s, 16, 202, u"Örnekleme Ade&ti"_s);
    sampleCount_ = edit(g, "Sample", u"100"_s, QRect(112, 202, 82, 21), true);
    sampleLabel->setBuddy(sampleCount_);
    sampleCount_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), sampleCount_));
    // A refused key or paste is not dropped without a word.
    connect(sampleCount_, &QLineEdit::inputRejected, this, [this] {
        QToolTip::showText(sampleCount_->mapToGlobal(QPoint(0, sampleCount_->height())),
            QString::fromUtf8(quarnis::kSampleDigitsOnlyText), sampleCount_);
    });

    QLabel* resultLabel
        = label(g, "Label15", u"Sonuç: [i, x, f(x)]"_s, 13, 232, u"Son&uç: [i, x, f(x)]"_s);
    resultList_ = list(g, "cCalcExec", QRect(112, 229, 177, 21));
    resultLabel->setBuddy(resultList_);
    resultModel_ = new LinesModel(this);
    resultList_->setModel(resultModel_);
    if (auto* view = qobject_cast<QListView*>(resultList_->view()))
        view->setUniformItemSizes(true);
    resultList_->setCurrentIndex(-1);

    QLabel* decimalsLabel = label(g, "Label17", u"Ondalık"_s, 13, 259, u"O&ndalık"_s);
    decimals_ = placed(new QScrollBar(Qt::Horizontal, g), "scrSonuc", QRect(112, 256, 177, 17));
    decimalsLabel->setBuddy(decimals_);
    decimals_->setRange(quarnis::kMinDecimals, quarnis::kMaxDecimals);
    decimals_->setPageStep(0);
    decimals_->setValue(5);
    decimals_->setFocusPolicy(Qt::StrongFocus);
    decimals_->setInvertedControls(false); // the right arrow key moves towards 9
    decimals_->installEventFilter(this);
    quarnis::connectGuarded(
        dialogs_, decimals_, &QScrollBar::valueChanged, this, &GraphWindow::showDecimalsHint);

    QLabel* fullLabel = label(g, "Label16", u"Fonksiyon"_s, 13, 281, u"&Fonksiyon"_s);
    fullDefinition_ = edit(g, "FuncFull", QString(), QRect(112, 279, 177, 21));
    fullLabel->setBuddy(fullDefinition_);
    fullDefinition_->setReadOnly(true);

    listBox_ = placed(new QListView(g), "lFuncVars", QRect(16, 312, 273, 210));
    listBox_->setUniformItemSizes(true);
    listBox_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listBoxModel_ = new LinesModel(this);
    listBox_->setModel(listBoxModel_);

    calculateButton_ = button(g, "bEval1D", u"HESAPLA"_s, QRect(16, 528, 273, 25));
    quarnis::connectGuarded(
        dialogs_, calculateButton_, &QPushButton::clicked, this, &GraphWindow::calculate);
}

void GraphWindow::buildGraphPanel(QWidget* mainPanel)
{
    QWidget* graphPanel
        = group(mainPanel, "GraphPanel", u"[ Grafik ]"_s, QRect(311, 8, 490, 569), quarnis::kCream);
    auto* settings = placed(new QWidget(graphPanel), "GraphVarPanel", QRect(10, 24, 471, 221));

    // Each label is made before its control and takes it as its buddy.
    QWidget* g
        = group(settings, "gGrap", u"[ Grafik ]"_s, QRect(8, 0, 289, 107), quarnis::kSkyBlue);
    QLabel* l = label(g, "", u"Alan Rengi"_s, 9, 16, u"Alan &Rengi"_s);
    l->setBuddy(areaColor_ = colorButton(dialogs_, g, "bColorAlan", 66, 13, u"Alan rengi"_s));
    l = label(g, "", u"Başlık Rengi"_s, 97, 16);
    l->setBuddy(titleColor_ = colorButton(dialogs_, g, "bColorEtiket", 160, 13, u"Başlık rengi"_s));
    l = label(g, "", u"Graf. Rengi"_s, 191, 16, u"&Graf. Rengi"_s);
    l->setBuddy(curveColor_ = colorButton(dialogs_, g, "bColorGraf", 252, 13, u"Grafik rengi"_s));
    l = label(g, "", u"Alan Biçimi"_s, 10, 43, u"A&lan Biçimi"_s);
    l->setBuddy(areaStyle_ = list(g, "cAlanTip", QRect(66, 40, 73, 21)));
    l = label(g, "", u"Graf. Biçimi"_s, 145, 40, u"Graf. &Biçimi"_s);
    l->setBuddy(curveKind_ = list(g, "cGraphTip", QRect(199, 40, 49, 21)));
    curveWidth_ = list(g, "cGrafWidth", QRect(252, 40, 27, 21));
    l = label(g, "", u"Başlık Font"_s, 10, 67);
    l->setBuddy(titleFont_ = list(g, "cEtiketFont", QRect(65, 67, 73, 21)));
    l = label(g, "", u"Çizgi Biçimi"_s, 143, 67, u"Çi&zgi Biçimi"_s);
    l->setBuddy(curveStyle_ = list(g, "cGrafTip", QRect(199, 67, 79, 21)));

    g = group(settings, "gGrid", u"[ Grid ]"_s, QRect(303, 0, 162, 107), quarnis::kSkyBlue);
    gridShown_ = placed(new QCheckBox(u"Grid Çizilsin"_s, g), "sGrid", QRect(14, 18, 91, 17));
    gridShown_->setChecked(true);
    l = label(g, "", u"Renk"_s, 88, 19);
    l->setBuddy(gridColor_ = colorButton(dialogs_, g, "bColorGrid", 123, 16, u"Grid rengi"_s));
    // The grid's "Biçim" would repeat that of the axes: its lists get labels of their own.
    label(g, "", u"Biçim"_s, 35, 41);
    gridStyle_ = list(g, "cGridTip", QRect(64, 43, 86, 21));
    label(g, "", u"Sayısı"_s, 79, 70);
    gridCount_ = list(g, "cGridType", QRect(112, 70, 38, 21));

    g = group(settings, "gXY", u"[ XY]"_s, QRect(8, 113, 457, 73), quarnis::kSkyBlue);
    l = label(g, "", u"Renk"_s, 13, 16, u"R&enk"_s);
    l->setBuddy(axesColor_ = colorButton(dialogs_, g, "bColorXY", 45, 13, u"Eksen rengi"_s));
    l = label(g, "", u"Genişlik"_s, 76, 16, u"Genişli&k"_s);
    l->setBuddy(axesWidth_ = list(g, "cXYWidth", QRect(117, 13, 34, 21)));
    l = label(g, "", u"Biçim"_s, 16, 40, u"Biçi&m"_s);
    l->setBuddy(axesStyle_ = list(g, "cXYTip", QRect(45, 40, 106, 21)));
    l = label(g, "", u"Ölçek Tipi"_s, 157, 16, u"Ölçek Ti&pi"_s);
    l->setBuddy(scaleMeasure_ = list(g, "cScTip", QRect(157, 40, 50, 21)));
    // `cYPerc` stands beside "X Orj" and places the x axis, `cXPerc` beside "Y Orj" the y axis.
    l = label(g, "", u"X Orj"_s, 221, 16, u"X Or&j"_s);
    l->setBuddy(xOrigin_ = list(g, "cYPerc", QRect(255, 11, 41, 21)));
    l = label(g, "", u"Y Orj"_s, 303, 16, u"Y &Orj"_s);
    l->setBuddy(yOrigin_ = list(g, "cXPerc", QRect(333, 11, 41, 21)));
    l = label(g, "", u"x[X]"_s, 221, 40, u"&x[X]"_s);
    l->setBuddy(xScale_ = edit(g, "xScale", u"1.0"_s, QRect(256, 40, 41, 21), true));
    l = label(g, "", u"x[Y]"_s, 303, 40, u"x[&Y]"_s);
    l->setBuddy(yScale_ = edit(g, "yScale", u"1.0"_s, QRect(333, 38, 41, 21), true));
    autoScaleButton_ = button(g, "bAutoScale", u"Oto.\nÖlçeklendir"_s, QRect(380, 11, 73, 54));

    clearButton_ = button(settings, "bClearGArea", u"Grafik Temizle"_s, QRect(8, 192, 209, 21));
    drawButton_ = button(settings, "DoGraph", u"Grafik Çiz"_s, QRect(256, 192, 209, 22));

    auto* plotPanel = placed(new QFrame(graphPanel), "PlotPanel", QRect(10, 251, 471, 302));
    quarnis::fillBackground(plotPanel, quarnis::kMoneyGreen);
    surface_ = named(new quarnis::PlotSurface(dialogs_, plotPanel, QSize(457, 289)), "GrapBox");
    surface_->move(8, 8);

    quarnis::connectGuarded(
        dialogs_, clearButton_, &QPushButton::clicked, this, &GraphWindow::clearGraphArea);
    quarnis::connectGuarded(
        dialogs_, autoScaleButton_, &QPushButton::clicked, this, &GraphWindow::autoScale);
    quarnis::connectGuarded(
        dialogs_, drawButton_, &QPushButton::clicked, this, &GraphWindow::drawCurve);
}

void GraphWindow::orderTabs()
{
    QWidget* order[] = { functionName_, variableName_, constantNames_[0], constantValues_[0],
        constantNames_[1], constantValues_[1], constantNames_[2], constantValues_[2], definition_,
        rangeStart_, rangeEnd_, sampleCount_, resultList_, fullDefinition_, decimals_,
        calculateButton_, listBox_, drawButton_, clearButton_, areaColor_, areaStyle_, curveKind_,
        titleColor_, curveColor_, titleFont_, curveStyle_, curveWidth_, axesColor_, axesStyle_,
        axesWidth_, xOrigin_, yOrigin_, xScale_, yScale_, scaleMeasure_, autoScaleButton_,
        gridShown_, gridColor_, gridCount_, gridStyle_ };
    quarnis::chainTabs(order);
}

// The lists' entries, then the start colours and start entries.
void GraphWindow::fillLists()
{
    fill(areaStyle_, quarnis::kFillStyleEntries);
    fill(axesStyle_, quarnis::kLineStyleEntries);
    fill(curveStyle_, quarnis::kLineStyleEntries);
    fill(gridStyle_, quarnis::kLineStyleEntries);
    fill(curveKind_, quarnis::kCurveKindEntries);
    fill(titleFont_, quarnis::kTitleFontEntries);
    fill(yOrigin_, quarnis::kAxisPositionEntries);
    fill(xOrigin_, quarnis::kAxisPositionEntries);
    fill(axesWidth_, quarnis::kAxesWidthEntries);
    fill(gridCount_, quarnis::kGridCountEntries);
    fill(scaleMeasure_, quarnis::kScaleMeasureEntries);
    fill(curveWidth_, quarnis::kCurveWidthEntries);
    setPlotControls(quarnis::PlotControls());
}

quarnis::FuncPanelTexts GraphWindow::panelTexts() const
{
    const auto text = [](const QLineEdit* field) { return field->text().toStdU16String(); };
    quarnis::FuncPanelTexts p;
    p.name = text(functionName_);
    p.var = text(variableName_);
    p.const1 = text(constantNames_[0]);
    p.const2 = text(constantNames_[1]);
    p.const3 = text(constantNames_[2]);
    p.value1 = text(constantValues_[0]);
    p.value2 = text(constantValues_[1]);
    p.value3 = text(constantValues_[2]);
    p.definition = text(definition_);
    p.x1 = text(rangeStart_);
    p.x2 = text(rangeEnd_);
    p.sample = text(sampleCount_);
    return p;
}

// HESAPLA: the panel into the record, the full text, the tabulation into the
// result list, the point table from the result list and the copy into the list box. A field
// that does not convert ends it before anything visible changes; a fault or a cancel during
// the tabulation leaves the lines before it listed and the point table and list box as they
// were.
void GraphWindow::calculate()
{
    quarnis::storePanel(function_, panelTexts());
    fullDefinition_->setText(QString::fromStdU16String(function_.fullText()));
    resultList_->clearEditText();
    resultModel_->setLines({});
    resultList_->setCurrentIndex(-1);
    {
        ResultListWriter out(*this);
        if (!function_.tabulate(out))
            return; // cancelled: as after a fault, only the result list shows the points done
    }
    plot_.loadPoints(resultModel_->lineTexts());
    listBoxModel_->setLines(resultModel_->lines()); // shared, not copied
}

// Leaving the variable's field: the range's labels name the variable.
void GraphWindow::updateRangeLabels()
{
    rangeStartLabel_->setText(variableName_->text() + u'1');
    rangeEndLabel_->setText(variableName_->text() + u'2');
}

void GraphWindow::showDecimalsHint() { decimals_->setToolTip(QString::number(decimals_->value())); }

std::vector<GraphWindow::ListControl> GraphWindow::listControls() const
{
    using C = quarnis::PlotControls;
    return { { areaStyle_, &C::areaStyle }, { curveKind_, &C::curveKind },
        { curveWidth_, &C::curveWidth }, { titleFont_, &C::titleFont },
        { curveStyle_, &C::curveStyle }, { axesWidth_, &C::axesWidth },
        { axesStyle_, &C::axesStyle }, { scaleMeasure_, &C::scaleMeasure },
        { xOrigin_, &C::xOrigin }, { yOrigin_, &C::yOrigin }, { gridStyle_, &C::gridStyle },
        { gridCount_, &C::gridCount } };
}

std::vector<GraphWindow::ColorControl> GraphWindow::colorControls() const
{
    using C = quarnis::PlotControls;
    return { { areaColor_, &C::areaColor }, { titleColor_, &C::titleColor },
        { curveColor_, &C::curveColor }, { axesColor_, &C::axesColor },
        { gridColor_, &C::gridColor } };
}

quarnis::PlotControls GraphWindow::plotControls() const
{
    quarnis::PlotControls c;
    for (const ColorControl& color : colorControls())
        c.*color.value = color.button->color().rgb();
    for (const ListControl& list : listControls())
        c.*list.text = list.box->currentText().toStdU16String();
    c.xScale = xScale_->text().toStdU16String();
    c.yScale = yScale_->text().toStdU16String();
    c.gridShown = gridShown_->isChecked();
    return c;
}

void GraphWindow::setPlotControls(const quarnis::PlotControls& c)
{
    for (const ColorControl& color : colorControls())
        color.button->setColor(QColor::fromRgb(QRgb(c.*color.value)));
    for (const ListControl& list : listControls())
        showText(list.box, c.*list.text);
    xScale_->setText(QString::fromStdU16String(c.xScale));
    yScale_->setText(QString::fromStdU16String(c.yScale));
    gridShown_->setChecked(c.gridShown);
}

quarnis::PlotSettings GraphWindow::readPlotSettings() const
{
    return quarnis::plotSettingsOf(plotControls());
}

quarnis::PlotTarget GraphWindow::plotTarget(BoxReport& report)
{
    return { *surface_, plot_, coordSystemDrawn_, std::size_t(resultList_->count()), report };
}

void GraphWindow::clearGraphArea()
{
    surface_->clearReading();
    BoxReport report(dialogs_, this);
    quarnis::PlotTarget t = plotTarget(report);
    quarnis::clearGraphArea(t, readPlotSettings());
}

void GraphWindow::autoScale()
{
    BoxReport report(dialogs_, this);
    quarnis::PlotTarget t = plotTarget(report);
    if (const auto texts = quarnis::autoScale(t, readPlotSettings())) {
        xScale_->setText(QString::fromStdU16String(texts->first));
        yScale_->setText(QString::fromStdU16String(texts->second));
    }
}

void GraphWindow::drawCurve()
{
    BoxReport report(dialogs_, this);
    quarnis::PlotTarget t = plotTarget(report);
    // The points are read off as the list box lists them: the point table was loaded from
    // those lines. A curve cut short by an error offers the points drawn before it.
    quarnis::DrawnCurve drawn;
    const auto offer = qScopeGuard([&] {
        if (drawn.begun)
            surface_->setReading(std::move(drawn.points), listBoxModel_->lines());
    });
    quarnis::drawGraph(t, readPlotSettings(), &drawn);
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == variableName_ && event->type() == QEvent::FocusOut)
        quarnis::runGuarded(dialogs_, this, [this] { updateRangeLabels(); });
    else if (watched == decimals_ && event->type() == QEvent::Enter)
        quarnis::runGuarded(dialogs_, this, [this] { showDecimalsHint(); });
    return QDialog::eventFilter(watched, event);
}

} // namespace quarnis
