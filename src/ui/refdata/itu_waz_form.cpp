#include "refdata/itu_waz_form.h"

#include "main/platform.h"
#include "refdata/country_list.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// The largest zone of the shipped country file (ITU 11) has 43 countries:
// the window opens tall enough for it in two columns.
constexpr int kDefaultRows = 22;
// A window manager's title bar comes on top of the window's height.
constexpr int kTitleBar = 30;
} // namespace

TITU_WAZ_form::TITU_WAZ_form(std::filesystem::path ctyDat, QWidget* parent)
    : QDialog(parent), ctyDat_(std::move(ctyDat))
{
    setObjectName("ITU_WAZ_form");
    setWindowTitle("ITU-WAZ");

    itu_rb = new QRadioButton("&ITU", this);
    itu_rb->setObjectName("itu_rb");
    waz_rb = new QRadioButton("&WAZ", this);
    waz_rb->setObjectName("waz_rb");
    waz_rb->setChecked(true);
    se1 = new QSpinBox(this);
    se1->setObjectName("se1");
    se1->setRange(0, 40);
    se1->setValue(16);
    Button1 = new QPushButton("&Show", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label3 = new QLabel(this);
    Label3->setObjectName("Label3");
    lb1 = new QListWidget(this);
    lb1->setObjectName("lb1");
    // Two columns: the names flow down and wrap into the second.
    lb1->setFlow(QListView::TopToBottom);
    lb1->setWrapping(true);
    lb1->setResizeMode(QListView::Adjust);
    lb1->setGridSize(QSize(190, QFontMetrics(lb1->font()).height() + 4));

    auto* top = new QHBoxLayout;
    top->addWidget(waz_rb);
    top->addWidget(itu_rb);
    top->addWidget(se1);
    top->addWidget(Button1);
    top->addStretch();
    auto* total = new QHBoxLayout;
    total->addWidget(new QLabel("Total:", this));
    total->addWidget(Label3);
    total->addStretch();
    auto* l = new QVBoxLayout(this);
    l->addLayout(top);
    l->addWidget(Label1);
    l->addWidget(lb1, 1);
    l->addLayout(total);
    resize(420, 360);
    l->activate();
    fitList(kDefaultRows);

    connect(itu_rb, &QRadioButton::clicked, this, &TITU_WAZ_form::itu_rbClick);
    connect(waz_rb, &QRadioButton::clicked, this, &TITU_WAZ_form::waz_rbClick);
    connect(Button1, &QPushButton::clicked, this, &TITU_WAZ_form::Button1Click);
}

void TITU_WAZ_form::itu_rbClick() { se1->setMaximum(75); }
void TITU_WAZ_form::waz_rbClick() { se1->setMaximum(40); }

void TITU_WAZ_form::Button1Click()
{
    lb1->clear();
    const bool itu = itu_rb->isChecked();
    const int zone = se1->value();
    try {
        const auto names = countriesOfZone(readCtyCountries(ctyDat_.string()), itu ? TZoneKind::ITU : TZoneKind::WAZ, zone);
        for (const std::string& n : names) lb1->addItem(QString::fromStdString(n));
        Label1->setText(QString::number(zone) + (itu ? " ITU zone:" : " WAZ zone:"));
        Label3->setText(QString::number(names.size()));
        fitList((lb1->count() + 1) / 2);
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
    }
}

void TITU_WAZ_form::fitList(int rows)
{
    // Two columns, each as wide as the longest name: the window grows to
    // show them rather than letting a third column run off its edge.
    const QFontMetrics fm(lb1->font());
    int widest = 0;
    for (int i = 0; i < lb1->count(); ++i) widest = std::max(widest, fm.horizontalAdvance(lb1->item(i)->text()));
    const QSize cell(std::max(190, widest + 16), fm.height() + 4);
    lb1->setGridSize(cell);
    const int frame = 2 * lb1->frameWidth();
    // The list lays its items out while a scroll bar may still take room,
    // and wraps a column one cell before its end.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lb1);
    const QSize need(2 * cell.width() + frame + bar, (rows + 1) * cell.height() + frame + bar);
    const QSize grow(std::max(0, need.width() - lb1->width()), std::max(0, need.height() - lb1->height()));
    if (!grow.isNull()) {
        const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        const QSize most = s ? s->availableGeometry().size() - QSize(0, kTitleBar) : QSize(800, 570);
        resize((size() + grow).boundedTo(most));
        layout()->activate();
    }
    // Now, not after the list's own delay: a third column must not flash up.
    lb1->doItemsLayout();
}
