#include "analysis/wpx_page.h"

#include "analysis/multiplier_tables.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "reports/html_export.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

WpxPage::WpxPage(TForm2& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName("WpxPage");
    Button5 = new QPushButton("Show", this);
    Button5->setObjectName("Button5");
    Button5->setEnabled(false);
    Keo_wpx = new KeoEGridView(wpxGrid_, this);
    Keo_wpx->setObjectName("Keo_wpx");
    // An even share of the page's width per column; long calls widen theirs.
    Keo_wpx->setColumnFit([this](int width) {
        const int cols = std::max(1, wpxGrid_.ColCount());
        return std::vector<int>(static_cast<size_t>(cols),
                                static_cast<int>(std::nearbyint(static_cast<double>(width) / cols)) - 3);
    });
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(Button5, 0, Qt::AlignLeft);
    v->addWidget(Keo_wpx, 1);
    connect(Button5, &QPushButton::clicked, this, &WpxPage::Button5Click);
}

WpxPage::~WpxPage()
{
    // The view reads the grid, which dies before the QWidget base deletes the view.
    wpxGrid_.OnChanged = nullptr;
    delete Keo_wpx;
}

void WpxPage::setLogLoaded(bool loaded) { Button5->setEnabled(loaded); }

void WpxPage::Button5Click()
{
    try {
        wpxTable(form_.state(), form_.Cty, wpxGrid_);
        grid_to_html(wpxGrid_, "WPX", form_.state().header.OutputDir, form_.state().header);
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()).replace('\r', '\n'));
    }
    Keo_wpx->gridModel()->refresh();
}
