// The Rate page in the real main window: its commands fill the page and
// write their files into the log's "Rates" folder.
#include "analysis/rates_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "time_line_log.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
std::string fileText(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

TEST(RatesPage, CommandsFillThePageAndWriteTheirFiles)
{
    TimeLineWindow t;
    TForm2& w = t.w;
    RatesPage& page = *w.ratesPage;
    EXPECT_FALSE(page.Button6->isEnabled());
    EXPECT_FALSE(page.Button7->isEnabled());

    // Two QSOs in 1200, one in 1201, and two in 1230 that end the log.
    t.open({{"14025", "1200"}, {"14026", "1200"}, {"14027", "1201"}, {"7025", "1230"}, {"7026", "1230"}});
    ASSERT_EQ(w.state().header.QsoCount, 5);
    const auto rates = t.outputDir() / "Rates";
    EXPECT_TRUE(page.Button6->isEnabled());
    EXPECT_EQ(page.rowTitles[0]->text(), "2 QSO in minute"); // captions survive the reset

    QTest::mouseClick(page.Button6, Qt::LeftButton); // all minutes
    QCoreApplication::processEvents();
    EXPECT_EQ(page.counts[0]->text(), "2");
    EXPECT_EQ(page.counts[1]->text(), "0");
    ASSERT_GE(page.l11->count(), 3);
    EXPECT_EQ(page.l11->item(0)->text(), "Rate per minute Times");
    EXPECT_EQ(page.l11->item(2)->text(), "2 QSO in minute  2");
    EXPECT_NE(fileText(rates / "All rates.txt").find("2 QSO in minute  2\n"), std::string::npos);

    page.rbN[0]->setChecked(true); // runs of 2
    QTest::mouseClick(page.Button6, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(page.counts[0]->text(), "2"); // kept from the all-minutes mode
    const std::string runs = fileText(rates / "2 QSO per min. rate(2).txt");
    EXPECT_EQ(runs.substr(0, runs.find('\n')), "14025  CW  2024-03-16  1200  K1AA");
    EXPECT_NE(runs.find("(2)rate 2 QSOs/min.\nAfter QSY\n"), std::string::npos);
    EXPECT_FALSE(page.l11->isHidden());

    QTest::mouseClick(page.Button7, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(page.rateGrid.RowCells(1), (std::vector<std::string>{"10", "0.30", "3", "1200 - 1201"}));
    EXPECT_EQ(page.rateGrid.RowCells(5), (std::vector<std::string>{"120", "0.04", "5", "1200 - 1230"}));
    EXPECT_TRUE(std::filesystem::exists(t.outputDir() / "Rates for periods.htm"));

    // A double click lists the best window of that period and saves it.
    w.pc1->setCurrentIndex(5);
    QCoreApplication::processEvents();
    const QRect cell = page.Rate_KeoEGrid->visualRect(page.Rate_KeoEGrid->model()->index(3, 1)); // 60 minutes
    // An item view reports a double click only after the press that began it.
    QTest::mouseClick(page.Rate_KeoEGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(page.Rate_KeoEGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QCoreApplication::processEvents();
    ASSERT_EQ(page.l11->count(), 9);
    EXPECT_EQ(page.l11->item(2)->text(), "60 minuts");
    EXPECT_EQ(page.l11->item(8)->text(), "7026  CW  2024-03-16  1230  K5AA");
    EXPECT_EQ(std::make_pair(page.BestWindowFirst, page.BestWindowLast), std::make_pair(1, 5));
    EXPECT_NE(fileText(rates / "Rate - 60 minuts.txt").find("60 minuts\n\n14025  CW"), std::string::npos);
    EXPECT_TRUE(t.msgs.texts.isEmpty()) << t.msgs.texts.join("|").toStdString();
}
