#include "spots/spots_form.h"

#include "main/column_fit.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "main/status_panels.h"
#include "main/text_util.h"
#include "spots/spots.h"
#include "spots/ssf_form.h"

#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QToolTip>
#include <QInputDialog>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const std::vector<std::string> kSpotterTitles = {"#", "Spotter", "Spots from him"};
const std::vector<std::string> kDxTitles = {"#", "DX", "Spots"};

QString shown(const std::string& s) { return QString::fromStdString(zem::toDisplayUtf8(s)); }
} // namespace

TSpotsF::TSpotsF(QWidget* parent)
    : QDialog(parent), spotsGrid(SpotColumnCount, 2, 0, 1), spottersGrid(3, 2), dxGrid(3, 2)
{
    setObjectName("SpotsF");
    setWindowTitle("Spots");
    initSpotGrid(spotsGrid);
    spottersGrid.SetHeader(kSpotterTitles);
    dxGrid.SetHeader(kDxTitles);

    auto* menu = new QMenuBar(this);
    auto* file = menu->addMenu("File");
    Open1 = file->addAction("Open");
    Open1->setObjectName("Open1");
    Exit1 = file->addAction("Exit");
    Exit1->setObjectName("Exit1");
    auto* view = menu->addMenu("View");
    Search1 = view->addAction("Search");
    Search1->setObjectName("Search1");
    Search1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(Open1, &QAction::triggered, this, &TSpotsF::Open1Click);
    connect(Exit1, &QAction::triggered, this, &TSpotsF::Exit1Click);
    connect(Search1, &QAction::triggered, this, &TSpotsF::Search1Click);

    pages = new QTabWidget(this);
    SpotsGrid = addPage(spotsGrid, "SpotsGrid", "Spots");
    SpottersGrid = addPage(spottersGrid, "SpottersGrid", "Spotters");
    DXGrid = addPage(dxGrid, "DXGrid", "DX");
    const std::pair<KeoEGridView*, void (TSpotsF::*)()> clicks[] = {
        {SpotsGrid, &TSpotsF::SpotsGridClick},
        {SpottersGrid, &TSpotsF::SpottersGridClick},
        {DXGrid, &TSpotsF::DXGridClick}};
    for (const auto& [v, slot] : clicks)
        connect(v->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, slot = slot](const QModelIndex& cur) {
                    if (cur.isValid()) (this->*slot)();
                });
    connect(SpottersGrid, &QAbstractItemView::doubleClicked, this, &TSpotsF::SpottersGridDblClick);
    connect(DXGrid, &QAbstractItemView::doubleClicked, this, &TSpotsF::DXGridDblClick);

    ssb = new TStatusPanels(this);
    ssb->setObjectName("ssb");
    for (int w : {350, 70, 80, 70}) ssb->addPanel(w);
    ssb->installEventFilter(this); // its size shortens the path; the path's hint

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->setMenuBar(menu);
    l->addWidget(pages, 1);
    l->addWidget(ssb);
    resize(720, 480);

    SSF = new TSSF(this);

    OpenDialog = [this] { return QFileDialog::getOpenFileName(this); };
    InputBox = [this](const QString& title, const QString& prompt) -> std::optional<QString> {
        bool ok = false;
        const QString t = QInputDialog::getText(this, title, prompt, QLineEdit::Normal, QString(), &ok);
        if (!ok) return std::nullopt;
        return t;
    };
}

TSpotsF::~TSpotsF()
{
    // The views read the grids, which die before the QWidget base deletes them.
    for (TKeoEGrid* g : {&spotsGrid, &spottersGrid, &dxGrid}) g->OnChanged = nullptr;
    delete pages;
}

KeoEGridView* TSpotsF::addPage(TKeoEGrid& grid, const char* name, const QString& title)
{
    auto* v = new KeoEGridView(grid, pages);
    v->setObjectName(name);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    fitColumnsToTexts(*v);
    pages->addTab(v, title);
    return v;
}

void TSpotsF::Open1Click()
{
    const QString path = OpenDialog ? OpenDialog() : QString();
    if (!path.isEmpty()) readSpots(path);
}

void TSpotsF::Exit1Click() { close(); }

void TSpotsF::readSpots(const QString& path)
{
    try {
        load(path);
    } catch (const std::exception& e) {
        Show_msg(shown(e.what()));
    }
}

void TSpotsF::load(const QString& path)
{
    const SpotFileSummary file = readSpotFile(path.toStdString(), spotsGrid);
    const std::string bad = badSpotLinesMessage(file.badLines);
    if (file.spots == 0) {
        Show_msg("No spots in " + QDir::toNativeSeparators(path) + (bad.empty() ? QString() : "\n" + shown(bad)));
        return;
    }
    const int n = file.spots;
    SpotCount = n;
    spotPath_ = QDir::toNativeSeparators(path);
    ssb->setText(0, spotPath_);
    ssb->setText(1, QString::number(n) + " spots");
    const int spotters = countSpotsBy(spotsGrid, SpotCount, spcSpotter, spottersGrid);
    ssb->setText(2, QString::number(spotters) + " spotters");
    const int dx = countSpotsBy(spotsGrid, SpotCount, spcDX, dxGrid);
    ssb->setText(3, QString::number(dx) + " DX");
    for (KeoEGridView* v : {SpotsGrid, SpottersGrid, DXGrid}) fitColumnsToTexts(*v);
    // The window keeps the size and place the user gave it: wide spots
    // scroll, a long path is shortened. Only the counts set a least width,
    // so that they always show whole.
    int counts = 0;
    for (int i = 1; i < ssb->panelCount(); ++i) counts += ssb->panelWidth(i);
    ssb->setMinimumWidth(counts);
    fitPath();
    if (!bad.empty()) Show_msg(shown(bad));
}

void TSpotsF::fitPath()
{
    if (spotPath_.isEmpty()) return;
    // The counts always show whole; the path takes the room they leave,
    // shortened in its middle when it needs more.
    int counts = 0;
    for (int i = 1; i < ssb->panelCount(); ++i) counts += ssb->panelWidth(i);
    const int room = std::max(0, ssb->width() - counts);
    const QFontMetrics fm(ssb->panelFont(0));
    const QString shown = fm.elidedText(spotPath_, Qt::ElideMiddle, room - 2 * TStatusPanels::kTextMargin);
    ssb->panel(0).width = room;
    if (ssb->text(0) != shown) ssb->setText(0, shown);
    else ssb->update();
}

bool TSpotsF::eventFilter(QObject* o, QEvent* e)
{
    if (o == ssb && e->type() == QEvent::Resize) fitPath();
    if (o == ssb && e->type() == QEvent::ToolTip) {
        // The whole path is the hint of its panel.
        auto* help = static_cast<QHelpEvent*>(e);
        const QRect r = ssb->panelRect(0);
        if (!spotPath_.isEmpty() && r.contains(help->pos())) QToolTip::showText(help->globalPos(), spotPath_, ssb, r);
        else QToolTip::hideText();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void TSpotsF::Search1Click()
{
    if (!InputBox) return;
    const std::optional<QString> answer = InputBox("Find callsign", "Callsign for search:");
    if (!answer) return;
    const QString call = answer->toUpper();
    if (!call.isEmpty()) SearchOfSpotsFor(call);
}

void TSpotsF::SearchOfSpotsFor(const QString& Call)
{
    int found = 0;
    try {
        found = searchSpots(spotsGrid, SpotCount, Call.toStdString(), SSF->sg);
    } catch (const std::exception& e) {
        Show_msg(shown(e.what()));
        return;
    }
    if (found == 0) return;
    fitColumnsToTexts(*SSF->SG);
    widenToShow(*SSF, fullGridWidth(*SSF->SG));
    SSF->setWindowTitle(Call + " - " + QString::number(found) + " spots");
    SSF->exec();
}

std::string TSpotsF::selectedCall(KeoEGridView* view, int col) const
{
    const QModelIndex cur = view->currentIndex();
    if (!cur.isValid()) return {};
    return view->grid().Cell(col, cur.row() + 1);
}

void TSpotsF::showCall(const std::string& call)
{
    if (!call.empty() && ShowCall) ShowCall(call);
}

void TSpotsF::SpotsGridClick() { showCall(selectedCall(SpotsGrid, spcDX)); }
void TSpotsF::SpottersGridClick() { showCall(selectedCall(SpottersGrid, 1)); }
void TSpotsF::DXGridClick() { showCall(selectedCall(DXGrid, 1)); }

void TSpotsF::SpottersGridDblClick()
{
    const std::string call = selectedCall(SpottersGrid, 1);
    if (!call.empty()) SearchOfSpotsFor(QString::fromStdString(call));
}

void TSpotsF::DXGridDblClick()
{
    const std::string call = selectedCall(DXGrid, 1);
    if (!call.empty()) SearchOfSpotsFor(QString::fromStdString(call));
}
