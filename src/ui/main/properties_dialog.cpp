#include "main/properties_dialog.h"

#include "main/file_associations.h"
#include "main/platform.h"
#include "main/station.h"
#include "main/text_util.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QValidator>
#include <QVBoxLayout>
#include <QtDebug>

#include <exception>

namespace {

// Typed and pasted text turns upper case as it comes in.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QString qs(const std::string& s) { return QString::fromStdString(s); }

template <class W>
W* named(W* w, const char* name)
{
    w->setObjectName(name);
    return w;
}

QWidget* folderGroup(const QString& caption, QLineEdit* edit, QPushButton* button)
{
    auto* g = new QGroupBox(caption);
    auto* l = new QHBoxLayout(g);
    l->addWidget(edit, 1);
    button->setFixedWidth(40);
    l->addWidget(button);
    return g;
}

} // namespace

TProperties::TProperties(TCty_search& cty, AppState& state, QWidget* parent)
    : QDialog(parent)
    , cty_(cty)
    , state_(state)
{
    setWindowTitle("Settings");
    pages = new QTabWidget(this);

    // "Directories"
    auto* dirs = new QWidget;
    auto* dl = new QVBoxLayout(dirs);
    Edit6 = named(new QLineEdit, "Edit6");
    Edit7 = named(new QLineEdit, "Edit7");
    Edit8 = named(new QLineEdit, "Edit8");
    tre = named(new QLineEdit, "tre");
    b1 = named(new QPushButton(">>"), "b1");
    b2 = named(new QPushButton(">>"), "b2");
    b3 = named(new QPushButton(">>"), "b3");
    b4 = named(new QPushButton(">>"), "b4");
    dl->addWidget(folderGroup("Folder with logs by default", Edit6, b1));
    dl->addWidget(folderGroup("Folder with results by default", Edit7, b2));
    dl->addWidget(folderGroup("Folder with 3830 Claimed scores by default", Edit8, b3));
    dl->addWidget(folderGroup("Folder with TRlog by default", tre, b4));
    dl->addStretch();
    pages->addTab(dirs, "Directories");

    // "My station"
    auto* station = new QWidget;
    auto* sl = new QVBoxLayout(station);
    auto* info = new QGroupBox("Station information");
    auto* form = new QFormLayout(info);
    Edit1 = named(new QLineEdit, "Edit1");
    Edit1->setMaxLength(15);
    Edit1->setValidator(new UpperCaseValidator(Edit1));
    Edit2 = named(new QLineEdit, "Edit2");
    Edit2->setMaxLength(6);
    Edit2->setValidator(new UpperCaseValidator(Edit2));
    Edit3 = named(new QLineEdit, "Edit3");
    Edit3->setMaxLength(5);
    Label3 = named(new QLabel, "Label3");
    Label4 = named(new QLabel, "Label4");
    Label5 = named(new QLabel, "Label5");
    form->addRow("Callsign :", Edit1);
    form->addRow("QTH-locator :", Edit2);
    form->addRow("Difference with UTC in the winter :", Edit3);
    form->addRow("Country :", Label3);
    form->addRow("Latitude :", Label5);
    form->addRow("Longitude :", Label4);
    sl->addWidget(info);
    sl->addStretch();
    pages->addTab(station, "My station");

    // "Programm"
    auto* program = new QWidget;
    auto* pl = new QVBoxLayout(program);
    s = named(new QCheckBox("After opening of Log at once to show summary"), "s");
    oc = named(new QCheckBox("After start of the program at once to open a window \"Open Cabrillo\""), "oc");
    cb1 = named(new QCheckBox("Mark callsigs not found in master.dta at loading of the log (longer)"), "cb1");
    cb1->setChecked(true);
    c1 = named(new QComboBox, "c1");
    c1->addItems({"Moscow", "Boulder"});
    c1->setCurrentIndex(0);
    pl->addWidget(s);
    pl->addWidget(oc);
    pl->addWidget(cb1);
    pl->addWidget(new QLabel("3 Hourly geomagnetic A and K indices for"));
    pl->addWidget(c1);
    pl->addStretch();
    pages->addTab(program, "Programm");

    // "Extensions"
    auto* ext = new QWidget;
    auto* el = new QVBoxLayout(ext);
    auto* menu = new QGroupBox("Add menu \"Open with ZEM\"");
    auto* ml = new QVBoxLayout(menu);
    c2 = named(new QCheckBox("*.CBR Cabrillo files"), "c2");
    c3 = named(new QCheckBox("*.LOG Cabrillo files"), "c3");
    c4 = named(new QCheckBox("*.ADI ADIF files"), "c4");
    c5 = named(new QCheckBox("*.DAT TR Llog files"), "c5");
    for (auto* c : {c2, c3, c4, c5}) ml->addWidget(c);
    auto* filter = new QGroupBox("Extension of Cabrillo files at opening");
    auto* fl = new QVBoxLayout(filter);
    r1 = named(new QRadioButton("Cabrillo(*.cbr, *.log, *.txt) (together)"), "r1");
    r2 = named(new QRadioButton("Cabrillo (*.cbr)  Cabrillo (*.log)  Cabrillo (*.txt) (separately)"), "r2");
    fl->addWidget(r1);
    fl->addWidget(r2);
    el->addWidget(menu);
    el->addWidget(filter);
    el->addStretch();
    pages->addTab(ext, "Extensions");

    auto* top = new QVBoxLayout(this);
    top->addWidget(pages);
    top->setSizeConstraint(QLayout::SetFixedSize);

    op1Filter = kCabrilloFilterSeparately;
    exePath = QCoreApplication::applicationFilePath();
    dataHome = userDataHome();
    chooseFolder = [](QWidget* p, const QString& start) { return QFileDialog::getExistingDirectory(p, QString(), start); };

    connect(r1, &QRadioButton::toggled, this, &TProperties::r1Click);
    connect(r2, &QRadioButton::toggled, this, &TProperties::r2Click);
    connect(b1, &QPushButton::clicked, this, &TProperties::b1Click);
    connect(b2, &QPushButton::clicked, this, &TProperties::b2Click);
    connect(b3, &QPushButton::clicked, this, &TProperties::b3Click);
    connect(b4, &QPushButton::clicked, this, &TProperties::b4Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TProperties::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TProperties::Edit2Change);
    connect(Edit3, &QLineEdit::textChanged, this, &TProperties::Edit3Change);
}

QStringList TProperties::nameFilters(const QString& pipeFilter)
{
    QStringList out;
    const QStringList parts = pipeFilter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (auto& p : patterns)
            if (p == "*.*") p = "*";
        out << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return out;
}

void TProperties::loadSettings(const TSettings& st)
{
    s->setChecked(st.SummaryAfterOpen);
    oc->setChecked(st.OpenCabrilloAtStart);
    cb1->setChecked(st.MarkNotInMaster);
    // An index the list does not have would name no index file: Moscow then.
    c1->setCurrentIndex(st.KIndexObservatory >= 0 && st.KIndexObservatory < c1->count() ? st.KIndexObservatory : 0);

    op1Filter = qs(st.CabrilloFilter);

    Edit6->setText(qs(st.LogsDirectory));
    Edit7->setText(qs(st.ResultsDirectory));
    Edit8->setText(qs(st.ScoresDirectory));
    tre->setText(qs(st.TRLogDirectory));
    op1InitialDir = Edit6->text();
    op2InitialDir = Edit7->text();
    op3InitialDir = Edit8->text();
    optInitialDir = tre->text();

    c2->setChecked(st.AssociateCbr);
    c3->setChecked(st.AssociateLog);
    c4->setChecked(st.AssociateAdi);
    c5->setChecked(st.AssociateDat);

    // Checking a button runs its handler, which sets the filter it stands
    // for; a button already checked is run by hand.
    if (isTogetherCabrilloFilter(st.CabrilloFilter)) {
        r1->setChecked(true);
        r1Click();
    } else {
        r2->setChecked(true);
        r2Click();
    }

    Edit2->setText(qs(st.MyLocator).toUpper());
    Edit1->setText(qs(st.MyCall).toUpper());
    Edit3->setText(qs(st.UtcDifference));
}

void TProperties::saveSettings(TSettings& st) const
{
    st.SummaryAfterOpen = s->isChecked();
    st.OpenCabrilloAtStart = oc->isChecked();
    st.MarkNotInMaster = cb1->isChecked();
    st.KIndexObservatory = c1->currentIndex();
    st.CabrilloFilter = op1Filter.toStdString();
    st.LogsDirectory = Edit6->text().toStdString();
    st.ResultsDirectory = Edit7->text().toStdString();
    st.ScoresDirectory = Edit8->text().toStdString();
    st.TRLogDirectory = tre->text().toStdString();
    st.AssociateCbr = c2->isChecked();
    st.AssociateLog = c3->isChecked();
    st.AssociateAdi = c4->isChecked();
    st.AssociateDat = c5->isChecked();
    st.MyCall = Edit1->text().toStdString();
    st.MyLocator = Edit2->text().toStdString();
    st.UtcDifference = Edit3->text().toStdString();
}

void TProperties::r1Click()
{
    if (r1->isChecked()) op1Filter = kCabrilloFilterTogether;
}

void TProperties::r2Click()
{
    if (r2->isChecked()) op1Filter = kCabrilloFilterSeparately;
}

// A cancelled choice keeps the folder that was there.
void TProperties::chooseInto(QLineEdit* edit, QString& startFolder, const QString& openAt)
{
    const QString dir = chooseFolder(this, openAt);
    if (dir.isEmpty()) return;
    edit->setText(dir);
    startFolder = dir;
}

void TProperties::b1Click() { chooseInto(Edit6, op1InitialDir, QString()); }
void TProperties::b2Click() { chooseInto(Edit7, op2InitialDir, QDir::currentPath()); }
void TProperties::b3Click() { chooseInto(Edit8, op3InitialDir, QDir::currentPath()); }
void TProperties::b4Click() { chooseInto(tre, optInitialDir, QDir::currentPath()); }

void TProperties::Edit1Change()
{
    const QString call = Edit1->text();
    if (call.isEmpty()) return;
    if (call.size() == 1) {
        Label3->clear();
        Label5->clear();
        Label4->clear();
        Edit3->clear();
        return;
    }
    state_.CurrentCall = call.toStdString();
    try {
        cty_.LookupCall(state_.CurrentCall);
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
        return;
    }
    // A call that is not found shows the last country found, as everywhere.
    const CountryRecord& r = cty_.Result();
    Label3->setText(QString::fromStdString(zem::toDisplayUtf8(shownCountryName(r.Country))));
    Label5->setText(qs(zem::formatShortest(r.Latitude)));
    Label4->setText(qs(zem::formatShortest(r.Longitude)));
    Edit3->setText(qs(zem::formatShortest(r.TimeOffset)));
}

void TProperties::Edit2Change()
{
    const LocatorPosition p = locatorToPosition(Edit2->text().toStdString());
    Label4->setText(qs(p.LongitudeText));
    Label5->setText(qs(p.LatitudeText));
    if (p.Latitude && p.Longitude) {
        state_.HomeLat = *p.Latitude;
        state_.HomeLon = *p.Longitude;
    }
}

void TProperties::Edit3Change()
{
    if (!utcDifferenceAccepted(Edit3->text().toStdString())) Edit3->clear();
}

void TProperties::FormClose()
{
    struct Association {
        QCheckBox* box;
        const char* ext;
        const char* typeName;
        int icon;
    };
    const Association order[] = {
        {c5, "dat", "TR Log", 2},
        {c4, "adi", "ADIF", 4},
        {c3, "log", "Cabrillo", 1},
        {c2, "cbr", "Cabrillo", 3},
    };
    // The dialog closes whatever the desktop folders allow.
    for (const auto& a : order) {
        try {
            if (a.box->isChecked())
                AddFileMenue(a.ext, "Open with ZEM", a.icon, a.typeName, exePath.toStdString(), dataHome);
            else
                DeleteFileMenue(a.ext, "Open with ZEM", dataHome);
        } catch (const std::exception& e) {
            qWarning("File association of *.%s: %s", a.ext, e.what());
        }
    }
}

void TProperties::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TProperties::FormKeyPress(int key)
{
    if (key == Qt::Key_Escape) close();
}

void TProperties::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        FormKeyPress(e->key());
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
