#include "spots/ssf_form.h"

#include "main/column_fit.h"
#include "main/keoe_grid_view.h"
#include "spots/spots.h"

#include <QVBoxLayout>

TSSF::TSSF(QWidget* parent) : QDialog(parent), sg(SpotColumnCount, 2)
{
    setObjectName("SSF");
    initSpotGrid(sg);
    SG = new KeoEGridView(sg, this);
    SG->setObjectName("SG");
    SG->setSelectionBehavior(QAbstractItemView::SelectRows);
    fitColumnsToTexts(*SG);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(SG);
    // Wide enough for all seven columns, as in the spot window.
    resize(720, 360);
}

TSSF::~TSSF()
{
    // The view reads the grid, which dies before the QWidget base deletes it.
    sg.OnChanged = nullptr;
    delete SG;
}
