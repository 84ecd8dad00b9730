#include "analysis/distribution_page.h"

#include "analysis/add_info_dialog.h"
#include "main/app_state.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "main/text_util.h"

#include <QAction>
#include <QFrame>
#include <QInputDialog>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

QStringList toQStrings(const std::vector<std::string>& items)
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& s : items) out << QString::fromStdString(s);
    return out;
}

// A list of items of one size (lists of thousands of calls stay quick)
// takes that size from its last item: the last item carries the size of the
// widest, so that no item is cut and a list too narrow scrolls sideways.
void sizeItemsToWidest(QListWidget* list, const std::vector<std::string>& texts)
{
    const int widest = widestTextIndex(list->font(), texts);
    if (widest < 0) return;
    QAbstractItemModel* m = list->model();
    QSize size = list->sizeHintForIndex(m->index(widest, 0));
    QListWidgetItem* last = list->item(list->count() - 1);
    size.setHeight(list->sizeHintForIndex(m->index(list->count() - 1, 0)).height());
    last->setSizeHint(size);
}

} // namespace

DistributionPage::DistributionPage(AppState& state, TMasterCallDB& master, QWidget* parent)
    : QWidget(parent), state_(state), master_(master)
{
    setObjectName("DistributionPage");
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);

    t3 = new QToolBar(this);
    t3->setObjectName("t3");
    t3->setToolButtonStyle(Qt::ToolButtonTextOnly);
    t3->setEnabled(false); // a loaded log enables it

    mm_PM = new QMenu(this);
    mm_PM->setObjectName("mm_PM");
    Mixedmode1 = mm_PM->addAction("Mixed mode");
    Mixedmode1->setObjectName("Mixedmode1");
    connect(Mixedmode1, &QAction::triggered, this, &DistributionPage::Mixedmode1Click);

    TB21 = new QToolButton(t3);
    TB21->setObjectName("TB21");
    TB21->setText("By &number of bands");
    TB21->setMenu(mm_PM);
    TB21->setPopupMode(QToolButton::MenuButtonPopup);
    connect(TB21, &QToolButton::clicked, this, &DistributionPage::rm_buttonClick);
    t3->addWidget(TB21);
    tb22 = t3->addAction("&Total on band");
    tb22->setObjectName("tb22");
    connect(tb22, &QAction::triggered, this, &DistributionPage::tb22Click);
    tb211 = t3->addAction("Additional information");
    tb211->setObjectName("tb211");
    connect(tb211, &QAction::triggered, this, &DistributionPage::tb211Click);
    tb5 = t3->addAction("&Find callsign");
    tb5->setObjectName("tb5");
    connect(tb5, &QAction::triggered, this, &DistributionPage::tb5Click);
    // A tool button shows its action's icon text, which drops the "&" and
    // the key with it; given the caption as it stands, the button answers
    // Alt and its letter, as "By &number of bands" does.
    for (QAction* a : {tb22, tb5}) a->setIconText(a->text());
    v->addWidget(t3);

    // The columns are placed by resizePanel, as the main window's size asks.
    // The panel's size is only a bound: a fixed size would hold the page,
    // and the whole page control with it, at the size it had last.
    Panel5 = new QFrame(this);
    Panel5->setObjectName("Panel5");
    Panel5->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    for (int i = 0; i < 7; ++i) {
        const auto k = static_cast<size_t>(i);
        StaticTexts[k] = new QLabel(Panel5);
        StaticTexts[k]->setObjectName(QString("StaticText%1").arg(51 + i));
        DistLabels[k] = new QLabel(Panel5);
        DistLabels[k]->setObjectName(QString("Label%1").arg(303 + i));
        ListBoxes[k] = new QListWidget(Panel5);
        ListBoxes[k]->setObjectName(QString("ListBox%1").arg(i < 6 ? i + 3 : 10));
        ListBoxes[k]->setUniformItemSizes(true); // lists of thousands of calls stay quick
        StaticTexts[k]->move(0, 2);
        DistLabels[k]->move(0, 20);
        ListBoxes[k]->move(0, 40);
    }
    // Hidden while a command refills it: the tool bar must not move into its room.
    QSizePolicy keepRoom = Panel5->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    Panel5->setSizePolicy(keepRoom);
    v->addWidget(Panel5, 1);

    InputBox = [this](const QString& title, const QString& prompt) -> std::optional<QString> {
        bool ok = false;
        const QString t = QInputDialog::getText(this, title, prompt, QLineEdit::Normal, QString(), &ok);
        if (!ok) return std::nullopt;
        return t;
    };
}

void DistributionPage::resizePanel(int W, int H)
{
    const QSize size(std::max(0, W - 10), std::max(0, H - 70));
    Panel5->setMaximumSize(size);
    Panel5->resize(size);
    const int C = size.width() / 7;
    const int cw = static_cast<int>(C / 1.03);
    for (int i = 0; i < 7; ++i) {
        const auto k = static_cast<size_t>(i);
        const int left = i < 6 ? i * C + 2 : 6 * C;
        ListBoxes[k]->setGeometry(left, ListBoxes[k]->y(), cw, std::max(0, size.height() - 50));
        DistLabels[k]->setGeometry(left, DistLabels[k]->y(), cw, DistLabels[k]->sizeHint().height());
        StaticTexts[k]->setGeometry(left, StaticTexts[k]->y(), cw, StaticTexts[k]->sizeHint().height());
    }
}

void DistributionPage::runJob(const std::function<void()>& work)
{
    emit jobStarted();
    try {
        work();
    } catch (const std::exception& e) {
        Panel5->show();
        Show_msg(QString::fromUtf8(e.what()));
    }
    emit jobFinished();
}

void DistributionPage::showLists(const std::array<std::string, 7>& titles)
{
    for (int i = 0; i < 7; ++i) {
        const auto k = static_cast<size_t>(i);
        const auto& items = i < 6 ? lists_.columns[k] : lists_.all;
        StaticTexts[k]->setText(QString::fromStdString(titles[k]));
        std::vector<std::string> shown;
        shown.reserve(items.size());
        for (const auto& s : items) shown.push_back(zem::toDisplayUtf8(s));
        ListBoxes[k]->addItems(toQStrings(shown));
        sizeItemsToWidest(ListBoxes[k], shown);
        DistLabels[k]->setText(QString::number(items.size()));
    }
}

void DistributionPage::rm_buttonClick()
{
    runJob([this] {
        Panel5->hide();
        for (auto* lb : ListBoxes) lb->clear();
        lists_ = distributionByBands(state_.log_grid, state_.header.QsoCount, MixedMode);
        if (!manyBandsTold_ && !MixedMode) {
            manyBandsTold_ = true;
            if (const std::string many = tooManyBandsText(lists_); !many.empty())
                Show_msg(QString::fromStdString(zem::toDisplayUtf8(many)));
        }
        showLists(byBandsTitles());
        Panel5->show();
        saveByBandsFiles(lists_, state_.header.OutputDir);
    });
}

void DistributionPage::Mixedmode1Click()
{
    MixedMode = true;
    rm_buttonClick();
    MixedMode = false;
}

void DistributionPage::tb22Click() { Button14Click(); }

void DistributionPage::Button14Click()
{
    runJob([this] {
        Panel5->hide();
        for (auto* lb : ListBoxes) lb->clear();
        lists_ = totalOnBand(state_.log_grid, state_.header.QsoCount);
        showLists(totalOnBandTitles());
        Panel5->show();
        saveTotalOnBandFiles(lists_, state_.header.OutputDir);
    });
}

void DistributionPage::tb5Click()
{
    const QString call = InputBox("Find callsign", "Callsign for search:").value_or(QString());
    if (call.isEmpty()) return; // no item is empty: nothing to find
    for (auto* lb : ListBoxes) {
        for (int r = 0; r < lb->count(); ++r) {
            if (lb->item(r)->text().compare(call, Qt::CaseInsensitive) == 0) {
                lb->setCurrentRow(r);
                lb->scrollToItem(lb->item(r));
                break;
            }
        }
    }
}

void DistributionPage::tb211Click()
{
    auto info = std::make_unique<Tadd_info>(*this, state_, master_, window());
    rm_buttonClick();
    info->exec();
}
