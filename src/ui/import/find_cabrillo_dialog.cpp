#include "import/find_cabrillo_dialog.h"

#include "main/column_fit.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <exception>

namespace {
// The least each column gets; longer categories and paths widen their column.
const std::vector<int> kColumnWidths = {35, 180, 75, 140, 74, 223};
} // namespace

Tfind_cabrillo::Tfind_cabrillo(std::function<QString()> logsFolder, std::function<void(const QString&)> openLog,
                               QWidget* parent)
    : QDialog(parent), logsFolder_(std::move(logsFolder)), openLog_(std::move(openLog))
{
    setObjectName("find_cabrillo");
    setWindowTitle("Review of Cabrillo files");
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Button2 = new QPushButton(">>", this);
    Button2->setObjectName("Button2");
    Edit1 = new QComboBox(this);
    Edit1->setObjectName("Edit1");
    Edit1->setEditable(true);
    Edit1->addItems({"*.cbr", "*.log"});
    Edit1->setCurrentText("*.cbr");
    Button1 = new QPushButton("Find", this);
    Button1->setObjectName("Button1");
    Label5 = new QLabel(this);
    Label5->setObjectName("Label5");
    fillFinderGrid(found, {});
    g = new KeoEGridView(found, this);
    g->setObjectName("g");
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setMouseTracking(true);
    g->viewport()->installEventFilter(this);
    fitColumnsToTexts(*g, kColumnWidths);
    Button3 = new QPushButton("Clear", this);
    Button3->setObjectName("Button3");
    Button4 = new QPushButton("Close", this);
    Button4->setObjectName("Button4");

    sortMenu = new QMenu("Sort", this);
    const struct {
        const char* caption;
        int col;
        int kind;
    } sorts[] = {{"Year", 0, 0},     {"Contest", 1, 0},  {"Callsign", 2, 0},
                 {"Category", 3, 0}, {"Filezsize", 4, 1}, {"Directory", 5, 0}};
    for (const auto& s : sorts) {
        QAction* a = sortMenu->addAction(s.caption);
        connect(a, &QAction::triggered, this, [this, col = s.col, kind = s.kind] { sortBy(col, kind); });
    }
    g->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(g, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { sortMenu->popup(g->viewport()->mapToGlobal(pos)); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Directory", this), 0, 0);
    grid->addWidget(Edit2, 0, 1, 1, 3);
    grid->addWidget(Button2, 0, 4);
    grid->addWidget(new QLabel("Extension", this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(Button1, 1, 2);
    grid->addWidget(new QLabel("Found", this), 1, 3);
    grid->addWidget(Label5, 1, 4);
    grid->addWidget(g, 2, 0, 1, 5);
    grid->addWidget(Button3, 3, 3);
    grid->addWidget(Button4, 3, 4);
    grid->setColumnStretch(1, 1);
    resize(760, 420);

    Select_directory = [this](const QString& caption) {
        return QFileDialog::getExistingDirectory(this, caption, Edit2->text());
    };
    connect(Button2, &QPushButton::clicked, this, &Tfind_cabrillo::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &Tfind_cabrillo::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &Tfind_cabrillo::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &Tfind_cabrillo::Button4Click);
    connect(g, &QAbstractItemView::doubleClicked, this, &Tfind_cabrillo::gDblClick);
}

void Tfind_cabrillo::showEvent(QShowEvent* e)
{
    FormActivate();
    QDialog::showEvent(e);
}

void Tfind_cabrillo::FormActivate() { Edit2->setText(logsFolder_ ? logsFolder_() : QString()); }

void Tfind_cabrillo::Button2Click()
{
    const QString folder = Select_directory("Select directory with Cabrillo logs");
    if (!folder.isEmpty()) Edit2->setText(folder);
}

void Tfind_cabrillo::Button1Click()
{
    std::vector<FoundCabrillo> list;
    const QString folder = Edit2->text();
    try {
        findCabrilloFiles(QFile::encodeName(folder).toStdString(), Edit1->currentText().toStdString(), list);
    } catch (const std::exception& e) {
        // The rows found before the failure stay listed.
        fillFinderGrid(found, list);
        fitColumnsToTexts(*g, kColumnWidths);
        Show_msg(QString::fromUtf8(e.what()));
        return;
    }
    // After a search the searched folder is the current one.
    QDir::setCurrent(folder);
    fillFinderGrid(found, list);
    fitColumnsToTexts(*g, kColumnWidths);
    if (list.empty()) {
        Label5->clear();
        Show_msg("No files found");
    } else {
        Label5->setText(QString("%1 files").arg(list.size()));
    }
}

void Tfind_cabrillo::Button3Click()
{
    fillFinderGrid(found, {});
    fitColumnsToTexts(*g, kColumnWidths);
    Label5->clear();
}

void Tfind_cabrillo::Button4Click()
{
    close();
    Button3Click();
}

void Tfind_cabrillo::gDblClick()
{
    const QModelIndex current = g->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : 0;
    if (row < 1 || row >= found.RowCount()) return;
    const QString path = QString::fromStdString(found.Cell(5, row));
    if (path.isEmpty()) return;
    QDir::setCurrent(QFileInfo(path).absolutePath());
    close();
    if (openLog_) openLog_(path);
}

bool Tfind_cabrillo::eventFilter(QObject* o, QEvent* e)
{
    if (o == g->viewport() && e->type() == QEvent::MouseMove) {
        const int row = g->rowAt(static_cast<QMouseEvent*>(e)->position().toPoint().y());
        if (row >= 0) {
            const QString path = QString::fromStdString(found.Cell(5, row + 1));
            // Only a path the column cannot show whole becomes the hint.
            g->setToolTip(g->fontMetrics().horizontalAdvance(path) >= 201 ? path : QString());
        }
    }
    return QDialog::eventFilter(o, e);
}

void Tfind_cabrillo::sortBy(int col, int kind)
{
    try {
        found.SortGrid(col, 0, kind, 0, 1);
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()));
    }
    g->gridModel()->refresh();
}
