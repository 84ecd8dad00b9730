// The main window's "ZEM Report" command.
#include "analysis/breaks.h"
#include "analysis/breaks_page.h"
#include "analysis/dxcc_page.h"
#include "analysis/two_radio_page.h"
#include "main/form2.h"
#include "main/properties_dialog.h"
#include "reports/zem_report.h"

#include <QCheckBox>
#include <QSpinBox>

void TForm2::srClick()
{
    try {
        // The tables are made as the pages' own commands would make them now.
        ReportOptions o;
        o.master = M.Loaded() ? &M : nullptr;
        o.markNotInMaster = Properties->cb1->isChecked();
        o.distanceKm = dxccPage->Calc_distance;
        o.breakMinimum = breaksPage->se1->value();
        o.breakMaximum = breaksPage->cb4->isChecked() ? breaksPage->se2->value() : kNoBreakMaximum;
        o.qsyLimit = twoRadioPage->qsy_SE->value();
        o.onlyMults = twoRadioPage->only_mults->isChecked();
        TZEM_Report report(state_, Cty, std::move(o), this);
        report.exec();
    } catch (const std::exception& e) {
        showError(e);
    }
}
