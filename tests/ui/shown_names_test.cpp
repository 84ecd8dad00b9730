// Country names in the main window and in the names of the pages it
// writes: shown without the blank that the country file's record keeps.
#include "analysis/dxcc_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/status_panels.h"
#include "log_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

TEST(ShownCountryNames, WindowTextsAndPageNamesCarryNoTrailingBlank)
{
    LogWindow lw;
    lw.load({{"14025", "2024-03-16", "1210", "K1AR"}, {"7010", "2024-03-16", "1320", "UA3AAA"}});
    TForm2& w = *lw.w;
    DxccPage& page = *w.dxccPage;
    auto written = [&](const std::string& name) {
        return std::filesystem::exists(std::filesystem::path(w.state().header.OutputDir) / (name + ".htm"));
    };

    const struct {
        const char* place;
        std::function<QString()> shown;
        QString expected;
    } cases[] = {
        {"status bar of a clicked QSO",
         [&] {
             w.log_grid->setCurrentIndex(w.log_grid->model()->index(0, 0));
             w.log_gridClick();
             return w.sb3->text(0);
         },
         "United States"},
        {"hint of the clicked QSO", [&] { return w.log_grid->toolTip(); }, "K1AR\nUnited States"},
        {"country of the prefix box",
         [&] {
             page.Edit2->setText("UA");
             QCoreApplication::processEvents();
             return page.Label60->text();
         },
         "European Russia"},
        {"page of the country's stations",
         [&] {
             page.Edit2KeyPress('\r');
             QCoreApplication::processEvents();
             const std::string name = "Stations from the certain country - European Russia";
             return QString(written(name) ? "written" : "missing") + (written(name + " ") ? ", with a blank" : "");
         },
         "written"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.shown(), c.expected) << c.place;
}
