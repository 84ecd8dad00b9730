#include "refdata/master_edit_dialog.h"

#include "main/app_state.h"
#include "main/output_folder.h"
#include "main/platform.h"
#include "main/status_panels.h"
#include "refdata/master_call_db.h"
#include "refdata/master_messages.h"

#include <QAbstractListModel>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

// Shows MasterList without copying it: the view asks for the rows it draws.
class MasterListModel : public QAbstractListModel {
public:
    MasterListModel(const MasterCallList& list, QObject* parent) : QAbstractListModel(parent), list_(list) {}
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : count_; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_.Count()) return {};
        return QString::fromStdString(list_[index.row()]);
    }
    void refresh()
    {
        beginResetModel();
        count_ = list_.Count();
        endResetModel();
    }

private:
    const MasterCallList& list_;
    int count_ = 0;
};

namespace {

std::vector<std::string> itemsOf(const QListWidget* lb)
{
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lb->count()));
    for (int i = 0; i < lb->count(); ++i) out.push_back(lb->item(i)->text().toStdString());
    return out;
}

} // namespace

TMaster_edit::TMaster_edit(AppState& state, const TMasterCallDB& master, const QString& programFolder,
                           std::function<std::vector<std::string>()> logCalls, QWidget* parent)
    : QDialog(parent), state_(state), master_(master), programFolder_(programFolder), logCalls_(std::move(logCalls))
{
    setObjectName("Master_edit");
    setWindowTitle("Master editor");
    resize(520, 420);

    auto* bar = new QMenuBar(this);
    auto* file = bar->addMenu("File");
    file->setObjectName("File1");
    Currentlog1 = file->addAction("Open current log", this, &TMaster_edit::Currentlog1Click);
    Currentlog1->setObjectName("Currentlog1");
    Currentlog1->setEnabled(false);
    Masterdta1 = file->addAction("Open ZEM Master.dta", this, &TMaster_edit::Masterdta1Click);
    Masterdta1->setObjectName("Masterdta1");
    Masterdta1->setShortcut(QKeySequence(Qt::Key_M));
    file->addAction("Open other Master.dta")->setObjectName("OpenotherMasterdta1");
    auto* report = file->addAction("Open 3830 Report");
    report->setObjectName("Open3830Report1");
    report->setEnabled(false);
    ext2 = file->addAction("Open Text file", this, &TMaster_edit::ext2Click);
    ext2->setObjectName("ext2");
    ext2->setVisible(false);
    file->addSeparator();
    Save1 = file->addAction("Save Master", this, &TMaster_edit::Save1Click);
    Save1->setObjectName("Save1");
    St = file->addAction("Save as text", this, &TMaster_edit::StClick);
    St->setObjectName("St");
    file->addSeparator();
    Exit1 = file->addAction("Exit", this, &TMaster_edit::Exit1Click);
    Exit1->setObjectName("Exit1");
    Edit1 = bar->addMenu("Edit");
    Edit1->setObjectName("Edit1");
    Edit1->menuAction()->setVisible(false);
    Clear2 = Edit1->addAction("Clear", this, &TMaster_edit::Clear2Click);
    Clear2->setObjectName("Clear2");
    bar->addAction("Go to Varn web site", this, &TMaster_edit::GotoVarnwebsite1Click)->setObjectName("GotoVarnwebsite1");

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setUniformItemSizes(true);
    ListView1 = new QListView(this);
    ListView1->setObjectName("ListView1");
    ListView1->setUniformItemSizes(true);
    ListView1->setViewMode(QListView::ListMode);
    model_ = new MasterListModel(MasterList, this);
    ListView1->setModel(model_);
    Button1 = new QPushButton(">>", this);
    Button1->setObjectName("Button1");
    Button1->setFixedWidth(40);
    connect(Button1, &QPushButton::clicked, this, &TMaster_edit::Button1Click);

    sb1 = new TStatusPanels(this);
    sb1->setObjectName("sb1");
    for (int w : {180, 20, 180}) sb1->addPanel(w);

    auto* v = new QVBoxLayout(this);
    v->setMenuBar(bar);
    auto* h = new QHBoxLayout;
    h->addWidget(ListBox1, 1);
    h->addWidget(Button1);
    h->addWidget(ListView1, 2);
    v->addLayout(h, 1);
    v->addWidget(sb1);

    FileDialog = [this](FileChoice c) -> QString {
        const QString textFilter = "Text file(*.txt);;All files(*.*)";
        switch (c) {
        case FileChoice::OpenText: return QFileDialog::getOpenFileName(this, QString(), QString(), textFilter);
        case FileChoice::SaveMaster: {
            QFileDialog d(this, QString(), startFolder(c), "Master file(*.dta);;All files(*.*)");
            d.setAcceptMode(QFileDialog::AcceptSave);
            d.setDefaultSuffix("dta");
            return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
        }
        case FileChoice::SaveText: {
            QFileDialog d(this, QString(), startFolder(c), textFilter);
            d.setAcceptMode(QFileDialog::AcceptSave);
            d.setDefaultSuffix("txt");
            return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
        }
        }
        return {};
    };
    CALLSIGN_COUNT();
}

TMaster_edit::~TMaster_edit() = default;

QString TMaster_edit::startFolder(FileChoice choice) const
{
    switch (choice) {
    case FileChoice::SaveMaster: return programFolder_;
    case FileChoice::SaveText: return logOutputFolderOr(state_.header, programFolder_);
    case FileChoice::OpenText: break;
    }
    return QString(); // the current folder: the log's own after a load
}

void TMaster_edit::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TMaster_edit::done(int r)
{
    // Every opening starts with an empty master list; "Imported" stays.
    MasterList.Clear();
    CALLSIGN_COUNT();
    QDialog::done(r);
}

void TMaster_edit::FormActivate()
{
    Masterdta1->setEnabled(state_.MasterLoaded);
    // The log table keeps one empty row when no log is there, so the QSO
    // count tells a one-QSO log from no log.
    Currentlog1->setEnabled(state_.header.QsoCount > 0);
    CALLSIGN_COUNT();
}

void TMaster_edit::CALLSIGN_COUNT()
{
    model_->refresh();
    sb1->setText(0, QString("Imported : %1 callsigns").arg(ListBox1->count()));
    sb1->setText(2, QString("Master : %1 callsigns").arg(MasterList.Count()));
    Save1->setEnabled(MasterList.Count() > 0);
    St->setEnabled(MasterList.Count() > 0);
}

void TMaster_edit::setImported(const std::vector<std::string>& calls)
{
    ListBox1->clear();
    addImported(calls);
}

void TMaster_edit::addImported(const std::vector<std::string>& calls)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(calls.size()));
    for (const auto& c : calls) {
        const std::string e = editorCall(c);
        if (!e.empty()) items << QString::fromStdString(e);
    }
    ListBox1->addItems(items);
    CALLSIGN_COUNT();
}

void TMaster_edit::Currentlog1Click()
{
    try {
        setImported(logCalls_());
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
    }
}

void TMaster_edit::Masterdta1Click()
{
    MasterList.Clear();
    MasterList.AddAll(master_.AllCalls());
    CALLSIGN_COUNT();
}

void TMaster_edit::withChosenFile(FileChoice choice, const std::function<void(const std::string&)>& work)
{
    const QString f = FileDialog(choice);
    if (f.isEmpty()) return;
    try {
        work(f.toStdString());
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
    }
}

void TMaster_edit::ext2Click()
{
    withChosenFile(FileChoice::OpenText, [this](const std::string& f) { setImported(readCallTextFile(f)); });
}

void TMaster_edit::Save1Click()
{
    withChosenFile(FileChoice::SaveMaster, [this](const std::string& f) {
        const int leftOut = Cteate_master(MasterList.Calls(), f);
        if (leftOut > 0)
            Show_msg(QString("%1 callsigns with characters other than A-Z, 0-9 and / were left out").arg(leftOut));
    });
}

void TMaster_edit::StClick()
{
    withChosenFile(FileChoice::SaveText, [this](const std::string& f) { writeCallTextFile(MasterList.Calls(), f); });
}

void TMaster_edit::Exit1Click() { close(); }

void TMaster_edit::Button1Click()
{
    MasterList.AddAll(itemsOf(ListBox1));
    ListBox1->clear();
    CALLSIGN_COUNT();
}

void TMaster_edit::Clear2Click()
{
    ListBox1->clear();
    MasterList.Clear();
    CALLSIGN_COUNT();
}

void TMaster_edit::GotoVarnwebsite1Click() { shellOpen(zem::kMasterDownloadPage); }
