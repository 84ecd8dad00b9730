#include "refdata/call_info_dialog.h"

#include "analysis/call_country.h"
#include "main/app_state.h"
#include "main/output_folder.h"
#include "main/platform.h"
#include "main/text_util.h"
#include "main/upper_case_edit.h"
#include "refdata/call_info.h"
#include "refdata/master_call_db.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TQTHF::TQTHF(TCty_search& cty, TMasterCallDB& master, AppState& state,
             std::function<std::pair<double, double>()> homePosition, const QString& programFolder, QWidget* parent)
    : QDialog(parent), cty_(cty), master_(master), state_(state), homePosition_(std::move(homePosition)),
      programFolder_(programFolder)
{
    setObjectName("QTHF");
    setWindowTitle("Information on callsign");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(15);
    makeUpperCase(Edit1);
    connect(Edit1, &QLineEdit::textChanged, this, &TQTHF::Edit1Change);

    auto* facts = new QFormLayout;
    auto fact = [&](QLabel*& label, const char* name, const QString& caption) {
        label = new QLabel(this);
        label->setObjectName(name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        facts->addRow(caption, label);
    };
    fact(label20, "label20", "Country");
    fact(label21, "label21", "Continent");
    fact(label22, "label22", "ITU");
    fact(label23, "label23", "WAZ");
    fact(label24, "label24", "Distance, km");
    fact(label25, "label25", "Time difference");
    fact(label26, "label26", "Latitude");
    fact(label27, "label27", "Longitude");
    fact(label28, "label28", "Locator");

    masterBox = new QGroupBox("MASTER.DTA", this);
    l = new QListWidget(masterBox);
    l->setObjectName("l");
    connect(l, &QListWidget::itemDoubleClicked, this, &TQTHF::lDblClick);
    Label10 = new QLabel(masterBox);
    Label10->setObjectName("Label10");
    Label11 = new QLabel("\"?\" - any character", masterBox);
    Label11->setObjectName("Label11");
    Button2 = new QPushButton("Save to file ...", masterBox);
    Button2->setObjectName("Button2");
    Button2->setEnabled(false);
    // Enter in the callsign field belongs to the look-up: a dialog would
    // otherwise make its first push button the default one, and Enter would
    // open the save dialog as soon as the button is enabled.
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, &TQTHF::Button2Click);
    auto* mv = new QVBoxLayout(masterBox);
    mv->addWidget(l, 1);
    mv->addWidget(Label10);
    mv->addWidget(Label11);
    mv->addWidget(Button2);

    auto* left = new QVBoxLayout;
    left->addWidget(Edit1);
    left->addLayout(facts);
    left->addStretch(1);
    auto* h = new QHBoxLayout(this);
    h->addLayout(left, 1);
    h->addWidget(masterBox, 1);
    resize(480, 320);

    SaveFileName = [this] {
        QFileDialog d(this, "Save to file ...", logOutputFolderOr(state_.header, programFolder_));
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setDefaultSuffix("txt");
        d.setNameFilters({"Text file(*.txt)", "All files(*.*)"});
        return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first() : QString();
    };
}

void TQTHF::showEvent(QShowEvent* e)
{
    FormShow();
    QDialog::showEvent(e);
}

void TQTHF::FormShow()
{
    Edit1->clear();
    clearFacts(25);
    Edit1->setFocus();
}

void TQTHF::clearFacts(int lastLabel)
{
    QLabel* labels[] = {label20, label21, label22, label23, label24, label25, label26, label27, label28};
    for (int i = 20; i <= lastLabel; ++i) labels[i - 20]->clear();
}

void TQTHF::Edit1Change()
{
    const QString text = Edit1->text();
    if (text.isEmpty()) {
        clearFacts(28);
    } else if (text.size() < 2) {
        // Latitude and longitude go with the country: none of them stays behind.
        clearFacts(27);
    } else {
        state_.CurrentCall = text.toStdString();
        try {
            const CountryRecord* rec = countryOfCall(cty_, state_.CurrentCall);
            const auto [homeLat, homeLon] = homePosition_ ? homePosition_() : std::pair{state_.HomeLat, state_.HomeLon};
            state_.HomeLat = homeLat;
            state_.HomeLon = homeLon;
            const CallFacts f = callFacts(rec, homeLat, homeLon);
            label20->setText(QString::fromStdString(f.Country));
            label21->setText(QString::fromStdString(f.Continent));
            label22->setText(QString::fromStdString(f.ITU));
            label23->setText(QString::fromStdString(f.CQ));
            label25->setText(QString::fromStdString(f.TimeOffset));
            label26->setText(QString::fromStdString(f.Latitude));
            label27->setText(QString::fromStdString(f.Longitude));
            label24->setText(QString::fromStdString(f.Distance));
        } catch (const std::exception& e) {
            clearFacts(27);
            Show_msg(QString::fromUtf8(e.what()));
        }
    }
    master_.PartialSearch(text.toStdString());
    l->clear();
    for (const auto& c : master_.Results) l->addItem(QString::fromStdString(c));
    Label10->setText(QString::number(l->count()));
    Button2->setEnabled(l->count() > 0);
}

void TQTHF::lDblClick()
{
    if (auto* item = l->currentItem()) Edit1->setText(item->text());
}

void TQTHF::Button2Click()
{
    const QString name = SaveFileName ? SaveFileName() : QString();
    if (name.isEmpty()) return;
    std::vector<std::string> calls;
    for (int i = 0; i < l->count(); ++i) calls.push_back(l->item(i)->text().toStdString());
    try {
        zem::writeLines(name.toStdString(), calls, "\r\n");
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
    }
}
