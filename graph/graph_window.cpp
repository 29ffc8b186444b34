#include "graph_window.h"
#include "lines_model.h"

#include "ui/handler_guard.h"
#include "engine/number_format.h"
#include "ui/narrow_combo_style.h"
#include "ui/palette.h"
#include "plot_controls.h"

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
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QToolTip>

#include <initializer_list>
#include <limits>

namespace quarnis {
bool CoordSystemDrawn = false;
} // namespace quarnis

namespace {

void paintBackground(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QGroupBox* group(QWidget* parent, const QString& title, QRect geometry, const QColor& color)
{
    auto* g = new QGroupBox(title, parent);
    g->setGeometry(geometry);
    paintBackground(g, color);
    return g;
}

// A single-line label 13 pixels high, as wide as its text.
QLabel* label(QWidget* parent, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, l->sizeHint().width(), 13);
    return l;
}

// A label of its own size that clips a longer caption.
QLabel* fixedLabel(QWidget* parent, const QString& text, QRect geometry)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

QLineEdit* edit(QWidget* parent, const QString& text, QRect geometry, bool rightAligned = false)
{
    auto* e = new QLineEdit(text, parent);
    e->setGeometry(geometry);
    if (rightAligned)
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return e;
}

// A drop-down list whose text field the user may also type into; a typed text never
// becomes an entry.
QComboBox* list(QWidget* parent, QRect geometry)
{
    auto* c = new QComboBox(parent);
    c->setStyle(parent->window()->findChild<quarnis::NarrowComboStyle*>());
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setGeometry(geometry);
    return c;
}

QPushButton* button(QWidget* parent, const QString& text, QRect geometry)
{
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false); // Enter in a field presses no button
    b->setGeometry(geometry);
    return b;
}

TButtonColor* colorButton(QWidget* parent, int x, int y)
{
    auto* b = new TButtonColor(parent);
    b->setGeometry(x, y, 25, 21);
    return b;
}

void fill(QComboBox* c, const QStringList& entries, int start)
{
    c->addItems(entries);
    c->setCurrentIndex(start);
}

QString toQString(const std::u16string& s) { return QString::fromStdU16String(s); }
std::u16string fromQString(const QString& s) { return s.toStdU16String(); }

const QColor kFunctionPanelColor(192, 220, 192);
const QColor kGroupColor(166, 202, 240);

} // namespace

// Gathers the tabulation's lines and puts them into the result list in one go when it ends,
// also when a fault or the user's cancel ends it early: the lines of the points before stay
// listed. A tabulation still running after half a second shows how many points are done in
// a progress box whose button (or Esc) cancels it; only then are events handled between
// points, at most every 50 ms, and the box blocks the window meanwhile.
class TFGraphics::ResultListWriter : public quarnis::TabulationOutput {
public:
    static constexpr qint64 kProgressDelayMs = 500;
    static constexpr qint64 kProgressUpdateMs = 50;

    explicit ResultListWriter(TFGraphics& window)
        : window_(window)
    {
        clock_.start();
    }
    ~ResultListWriter()
    {
        progress_.reset();
        window_.resultModel_->setLines(
            std::make_shared<const std::vector<std::u16string>>(std::move(lines_)));
        window_.cCalcExec->setCurrentIndex(-1); // listing selects no line
    }
    int Decimals() override { return window_.scrSonuc->value(); }
    void Append(std::u16string line) override { lines_.push_back(std::move(line)); }
    bool Progress(unsigned done, unsigned total) override
    {
        const qint64 now = clock_.elapsed();
        if (now < kProgressDelayMs || now - shownAt_ < kProgressUpdateMs)
            return true;
        shownAt_ = now;
        if (!progress_) {
            progress_ = std::make_unique<QProgressDialog>(&window_);
            progress_->setWindowTitle(window_.windowTitle());
            progress_->setCancelButtonText(QStringLiteral("İptal"));
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
    TFGraphics& window_;
    std::vector<std::u16string> lines_;
    QElapsedTimer clock_;
    qint64 shownAt_ = 0;
    std::unique_ptr<QProgressDialog> progress_;
};

TFGraphics::TFGraphics(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Grafik Formu"));
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(812, 597);
    quarnis::UseFixedPalette(this);
    QFont f = font();
    f.setFamilies({ QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
        QStringLiteral("DejaVu Sans") });
    f.setPixelSize(11);
    setFont(f);
    // One style for all the lists, found by them and released with the window.
    (new quarnis::NarrowComboStyle({ .arrowInset = 0, .editLeft = 2, .editGap = 1 }))->setParent(this);

    MainPanel = new QFrame(this);
    MainPanel->setGeometry(0, 5, 810, 588);
    MainPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paintBackground(MainPanel, QColor(128, 128, 0));

    buildFunctionPanel();
    buildGraphPanel();

    QWidget* order[] = { FncName, FncVar, FncConst1, ec1, FncConst2, ec2, FncConst3, ec3, FncId,
        ex1, ex2, Sample, cCalcExec, FuncFull, scrSonuc, bEval1D, lFuncVars, DoGraph, bClearGArea,
        bColorAlan, cAlanTip, cGraphTip, bColorEtiket, bColorGraf, cEtiketFont, cGrafTip,
        cGrafWidth, bColorXY, cXYTip, cXYWidth, cYPerc, cXPerc, xScale, yScale, cScTip, bAutoScale,
        sGrid, bColorGrid, cGridType, cGridTip };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Qt's line edits keep 32767 characters unless told otherwise; these take any text, a
    // definition of megabytes included.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setMaxLength(std::numeric_limits<int>::max());

    quarnis::RunGuarded(this, [this] { InitGraph(); });
    setUpDesktop();
}

TFGraphics::~TFGraphics() { FormDestroy(); }

void TFGraphics::buildFunctionPanel()
{
    QWidget* g = FuncIDandCalculatePanel = group(MainPanel, QStringLiteral("[ Fonksiyon Tanımı ]"),
        QRect(8, 8, 297, 569), kFunctionPanelColor);

    Label1 = label(g, QStringLiteral("Fonksiyon Adı"), 16, 24);
    FncName = edit(g, QStringLiteral("F"), QRect(112, 24, 177, 21));
    Label2 = label(g, QStringLiteral("Değişken Adı"), 16, 48);
    FncVar = edit(g, QStringLiteral("t"), QRect(112, 48, 177, 21));
    FncVar->installEventFilter(this);

    Label4 = label(g, QStringLiteral("Sabit1 Adı/Değeri"), 16, 72);
    FncConst1 = edit(g, QStringLiteral("c1"), QRect(112, 72, 82, 21));
    Label10 = fixedLabel(g, QStringLiteral(":="), QRect(200, 77, 25, 13));
    ec1 = edit(g, QStringLiteral("0"), QRect(224, 72, 65, 21), true);
    Label3 = label(g, QStringLiteral("Sabit2 Adı/Değeri"), 16, 96);
    FncConst2 = edit(g, QStringLiteral("c2"), QRect(112, 96, 82, 21));
    Label11 = fixedLabel(g, QStringLiteral(":="), QRect(200, 99, 25, 13));
    ec2 = edit(g, QStringLiteral("0"), QRect(224, 96, 65, 21), true);
    Label5 = label(g, QStringLiteral("Sabit3 Adı/Değeri"), 16, 121);
    FncConst3 = edit(g, QStringLiteral("c3"), QRect(112, 121, 82, 21));
    Label12 = fixedLabel(g, QStringLiteral(":="), QRect(200, 123, 25, 13));
    ec3 = edit(g, QStringLiteral("0"), QRect(224, 121, 65, 21), true);

    Label6 = label(g, QStringLiteral("Fonksiyon Tanımı"), 16, 148);
    FncId = edit(g, QStringLiteral("t"), QRect(112, 148, 177, 21));

    Label7 = label(g, QStringLiteral("Hesap Aralığı"), 16, 176);
    xa = fixedLabel(g, QStringLiteral("x1"), QRect(112, 175, 25, 13));
    Label13 = fixedLabel(g, QStringLiteral(":="), QRect(128, 175, 11, 13));
    ex1 = edit(g, QStringLiteral("0"), QRect(145, 175, 49, 21), true);
    xb = fixedLabel(g, QStringLiteral("x2"), QRect(200, 175, 25, 13));
    Label14 = fixedLabel(g, QStringLiteral(":="), QRect(214, 175, 11, 13));
    ex2 = edit(g, QStringLiteral("10"), QRect(231, 175, 58, 21), true);

    Label8 = label(g, QStringLiteral("Örnekleme Adeti"), 16, 202);
    Sample = edit(g, QStringLiteral("100"), QRect(112, 202, 82, 21), true);
    Sample->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Sample));
    // A refused key or paste is not dropped without a word.
    connect(Sample, &QLineEdit::inputRejected, this, [this] {
        QToolTip::showText(Sample->mapToGlobal(QPoint(0, Sample->height())),
            QString::fromUtf8(quarnis::kSampleDigitsOnlyText), Sample);
    });

    Label15 = label(g, QStringLiteral("Sonuç: [i, x, f(x)]"), 13, 232);
    cCalcExec = list(g, QRect(112, 229, 177, 21));
    resultModel_ = new LinesModel(this);
    cCalcExec->setModel(resultModel_);
    if (auto* view = qobject_cast<QListView*>(cCalcExec->view()))
        view->setUniformItemSizes(true);
    cCalcExec->setCurrentIndex(-1);

    Label17 = label(g, QStringLiteral("Ondalık"), 13, 259);
    scrSonuc = new QScrollBar(Qt::Horizontal, g);
    scrSonuc->setGeometry(112, 256, 177, 17);
    scrSonuc->setRange(quarnis::kMinDecimals, quarnis::kMaxDecimals);
    scrSonuc->setPageStep(0);
    scrSonuc->setValue(5);
    scrSonuc->setFocusPolicy(Qt::StrongFocus);
    scrSonuc->setInvertedControls(false); // the right arrow key moves towards 9
    scrSonuc->installEventFilter(this);
    connect(scrSonuc, &QScrollBar::valueChanged, this,
        [this] { quarnis::RunGuarded(this, [this] { scrSonucChange(); }); });

    Label16 = label(g, QStringLiteral("Fonksiyon"), 13, 281);
    FuncFull = edit(g, QString(), QRect(112, 279, 177, 21));
    FuncFull->setReadOnly(true);

    lFuncVars = new QListView(g);
    lFuncVars->setGeometry(16, 312, 273, 210);
    lFuncVars->setUniformItemSizes(true);
    lFuncVars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listBoxModel_ = new LinesModel(this);
    lFuncVars->setModel(listBoxModel_);

    bEval1D = button(g, QStringLiteral("HESAPLA"), QRect(16, 528, 273, 25));
    connect(bEval1D, &QPushButton::clicked, this,
        [this] { quarnis::RunGuarded(this, [this] { bEval1DClick(); }); });
}

void TFGraphics::buildGraphPanel()
{
    GraphPanel = group(
        MainPanel, QStringLiteral("[ Grafik ]"), QRect(311, 8, 490, 569), QColor(255, 251, 240));
    GraphVarPanel = new QWidget(GraphPanel);
    GraphVarPanel->setGeometry(10, 24, 471, 221);

    gGrap = group(GraphVarPanel, QStringLiteral("[ Grafik ]"), QRect(8, 0, 289, 107), kGroupColor);
    label(gGrap, QStringLiteral("Alan Rengi"), 9, 16);
    bColorAlan = colorButton(gGrap, 66, 13);
    bColorAlan->setAccessibleName(QStringLiteral("Alan rengi"));
    label(gGrap, QStringLiteral("Başlık Rengi"), 97, 16);
    bColorEtiket = colorButton(gGrap, 160, 13);
    bColorEtiket->setAccessibleName(QStringLiteral("Başlık rengi"));
    label(gGrap, QStringLiteral("Graf. Rengi"), 191, 16);
    bColorGraf = colorButton(gGrap, 252, 13);
    bColorGraf->setAccessibleName(QStringLiteral("Grafik rengi"));
    label(gGrap, QStringLiteral("Alan Biçimi"), 10, 43);
    cAlanTip = list(gGrap, QRect(66, 40, 73, 21));
    label(gGrap, QStringLiteral("Graf. Biçimi"), 145, 40);
    cGraphTip = list(gGrap, QRect(199, 40, 49, 21));
    cGrafWidth = list(gGrap, QRect(252, 40, 27, 21));
    label(gGrap, QStringLiteral("Başlık Font"), 10, 67);
    cEtiketFont = list(gGrap, QRect(65, 67, 73, 21));
    label(gGrap, QStringLiteral("Çizgi Biçimi"), 143, 67);
    cGrafTip = list(gGrap, QRect(199, 67, 79, 21));

    gGrid = group(GraphVarPanel, QStringLiteral("[ Grid ]"), QRect(303, 0, 162, 107), kGroupColor);
    sGrid = new QCheckBox(QStringLiteral("Grid Çizilsin"), gGrid);
    sGrid->setGeometry(14, 18, 91, 17);
    sGrid->setChecked(true);
    label(gGrid, QStringLiteral("Renk"), 88, 19);
    bColorGrid = colorButton(gGrid, 123, 16);
    bColorGrid->setAccessibleName(QStringLiteral("Grid rengi"));
    label(gGrid, QStringLiteral("Biçim"), 35, 41);
    cGridTip = list(gGrid, QRect(64, 43, 86, 21));
    label(gGrid, QStringLiteral("Sayısı"), 79, 70);
    cGridType = list(gGrid, QRect(112, 70, 38, 21));

    gXY = group(GraphVarPanel, QStringLiteral("[ XY]"), QRect(8, 113, 457, 73), kGroupColor);
    label(gXY, QStringLiteral("Renk"), 13, 16);
    bColorXY = colorButton(gXY, 45, 13);
    bColorXY->setAccessibleName(QStringLiteral("Eksen rengi"));
    label(gXY, QStringLiteral("Genişlik"), 76, 16);
    cXYWidth = list(gXY, QRect(117, 13, 34, 21));
    label(gXY, QStringLiteral("Biçim"), 16, 40);
    cXYTip = list(gXY, QRect(45, 40, 106, 21));
    label(gXY, QStringLiteral("Ölçek Tipi"), 157, 16);
    cScTip = list(gXY, QRect(157, 40, 50, 21));
    label(gXY, QStringLiteral("X Orj"), 221, 16);
    cYPerc = list(gXY, QRect(255, 11, 41, 21));
    label(gXY, QStringLiteral("Y Orj"), 303, 16);
    cXPerc = list(gXY, QRect(333, 11, 41, 21));
    label(gXY, QStringLiteral("x[X]"), 221, 40);
    xScale = edit(gXY, QStringLiteral("1.0"), QRect(256, 40, 41, 21), true);
    label(gXY, QStringLiteral("x[Y]"), 303, 40);
    yScale = edit(gXY, QStringLiteral("1.0"), QRect(333, 38, 41, 21), true);
    bAutoScale = button(gXY, QStringLiteral("Oto.\nÖlçeklendir"), QRect(380, 11, 73, 54));

    bClearGArea = button(GraphVarPanel, QStringLiteral("Grafik Temizle"), QRect(8, 192, 209, 21));
    DoGraph = button(GraphVarPanel, QStringLiteral("Grafik Çiz"), QRect(256, 192, 209, 22));

    PlotPanel = new QFrame(GraphPanel);
    PlotPanel->setGeometry(10, 251, 471, 302);
    paintBackground(PlotPanel, kFunctionPanelColor);
    GrapBox = new quarnis::PlotSurface(PlotPanel, QSize(457, 289));
    GrapBox->move(8, 8);

    connect(bClearGArea, &QPushButton::clicked, this,
        [this] { quarnis::RunGuarded(this, [this] { bClearGAreaClick(); }); });
    connect(bAutoScale, &QPushButton::clicked, this,
        [this] { quarnis::RunGuarded(this, [this] { bAutoScaleClick(); }); });
    connect(DoGraph, &QPushButton::clicked, this,
        [this] { quarnis::RunGuarded(this, [this] { DoGraphClick(); }); });
}

void TFGraphics::InitGraph()
{
    bColorAlan->setColor(QColor(166, 202, 240));
    bColorXY->setColor(QColor(0, 128, 0));
    bColorEtiket->setColor(QColor(255, 0, 0));
    bColorGrid->setColor(QColor(128, 128, 128));

    const QStringList lineStyles
        = { QStringLiteral("Normal"), QStringLiteral("Kesikli"), QStringLiteral("Noktalı"),
              QStringLiteral("Kesikli/Noktalı"), QStringLiteral("Kesikli/Noktalı Noktalı") };
    const QStringList positions
        = { QStringLiteral("1/2"), QStringLiteral("1/4"), QStringLiteral("3/4") };
    fill(cAlanTip,
        { QStringLiteral("Dolu"), QStringLiteral("Boş"), QStringLiteral("Yatay"),
            QStringLiteral("Düşey"), QStringLiteral("Sol-Sağ Çizgili"),
            QStringLiteral("Sağ-Sol Çizgili"), QStringLiteral("Kareli"),
            QStringLiteral("Çapraz Kareli") },
        0);
    fill(cXYTip, lineStyles, 0);
    fill(cGrafTip, lineStyles, 0);
    fill(cGridTip, lineStyles, 2);
    fill(cGraphTip, { QStringLiteral("Nokta"), QStringLiteral("Çizgi") }, 0);
    fill(cEtiketFont,
        { QStringLiteral("Tahoma"), QStringLiteral("Arial"), QStringLiteral("Calibri"),
            QStringLiteral("Courier") },
        0);
    fill(cXPerc, positions, 0);
    fill(cYPerc, positions, 0);
    fill(cXYWidth,
        { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
            QStringLiteral("5") },
        0);
    fill(cGridType, { QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("10") }, 0);
    fill(cScTip, { QStringLiteral("Max"), QStringLiteral("Ort") }, 0);
    fill(cGrafWidth, { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") }, 0);

    Func = std::make_unique<quarnis::TFunc>();
    Graph1D = std::make_unique<quarnis::TGraph1D>();
    // One window per process: its creation is the start of the run.
    quarnis::CoordSystemDrawn = false;
}

void TFGraphics::FormDestroy()
{
    Graph1D.reset();
    Func.reset();
}

quarnis::FuncPanelTexts TFGraphics::panelTexts() const
{
    quarnis::FuncPanelTexts p;
    p.name = fromQString(FncName->text());
    p.var = fromQString(FncVar->text());
    p.const1 = fromQString(FncConst1->text());
    p.const2 = fromQString(FncConst2->text());
    p.const3 = fromQString(FncConst3->text());
    p.value1 = fromQString(ec1->text());
    p.value2 = fromQString(ec2->text());
    p.value3 = fromQString(ec3->text());
    p.definition = fromQString(FncId->text());
    p.x1 = fromQString(ex1->text());
    p.x2 = fromQString(ex2->text());
    p.sample = fromQString(Sample->text());
    return p;
}

const std::vector<std::u16string>& TFGraphics::ResultLines() const
{
    return resultModel_->lineTexts();
}

// HESAPLA: the panel into the record, the full text, the tabulation into the result list,
// the point table from the result list and the copy into the list box. A field that does
// not convert ends it before anything visible changes; a fault or a cancel during the
// tabulation leaves the lines before it listed and the point table and list box as they were.
void TFGraphics::bEval1DClick()
{
    quarnis::StorePanel(*Func, panelTexts());
    FuncFull->setText(toQString(Func->FullText()));
    cCalcExec->clearEditText();
    resultModel_->setLines({});
    cCalcExec->setCurrentIndex(-1);
    {
        ResultListWriter out(*this);
        if (!Func->Tabulate(out))
            return; // cancelled: as after a fault, only the result list shows the points done
    }
    Graph1D->LoadPoints(ResultLines());
    listBoxModel_->setLines(resultModel_->lines()); // shared, not copied
}

void TFGraphics::FncVarExit()
{
    xa->setText(FncVar->text() + u'1');
    xb->setText(FncVar->text() + u'2');
}

void TFGraphics::scrSonucChange() { scrSonuc->setToolTip(QString::number(scrSonuc->value())); }

void TFGraphics::bClearGAreaClick()
{
    quarnis::PlotTarget t = quarnis::PlotTargetOf(*this, quarnis::CoordSystemDrawn);
    quarnis::ClearGraphArea(t, quarnis::ReadPlotSettings(*this));
}

void TFGraphics::bAutoScaleClick()
{
    quarnis::PlotTarget t = quarnis::PlotTargetOf(*this, quarnis::CoordSystemDrawn);
    if (const auto texts = quarnis::AutoScale(t, quarnis::ReadPlotSettings(*this))) {
        xScale->setText(texts->first);
        yScale->setText(texts->second);
    }
}

void TFGraphics::DoGraphClick()
{
    quarnis::PlotTarget t = quarnis::PlotTargetOf(*this, quarnis::CoordSystemDrawn);
    quarnis::DoGraph(t, quarnis::ReadPlotSettings(*this));
}

bool TFGraphics::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FncVar && event->type() == QEvent::FocusOut)
        quarnis::RunGuarded(this, [this] { FncVarExit(); });
    else if (watched == scrSonuc && event->type() == QEvent::Enter)
        quarnis::RunGuarded(this, [this] { scrSonucChange(); });
    return QDialog::eventFilter(watched, event);
}
