// Texts the user reads in title bars and status bars, whole.
#include "main/app_identity.h"
#include "main/status_panels.h"
#include "main_window_support.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(Titles, NoDisplayNameIsAppendedToWindowTitles)
{
    const QString before = QCoreApplication::applicationName();
    setApplicationIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), "ZEM Log Analysis");
    // A display name of its own would be appended by the platform to every
    // title; without one it simply follows the application name.
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
    QCoreApplication::setApplicationName(before);
}

TEST(Titles, BoldStatusPanelsAreSizedForTheirBoldText)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    w.Open_cabrillo_proc(m.writeLog("rdxc.log", "START-OF-LOG: 3.0\nCONTEST: RDXC\nCALLSIGN: DL1ABC\n"
                                                "QSO: 14025 CW 2024-03-16 1200 DL1ABC        599 14     K1ABC         599 05\n"));
    QTest::qWait(20);
    ASSERT_EQ(w.sb1->text(3), "No category");
    ASSERT_EQ(w.sb1->text(4), "RDXC  2024");

    QFont bold = w.sb1->font();
    bold.setBold(true);
    const QFontMetrics regular(w.sb1->font()), boldMetrics(bold);
    // Each panel is its text in the font it is drawn in, plus the margins on both sides.
    for (int i : {1, 2, 3, 4}) {
        const QFontMetrics& fm = i >= 3 ? boldMetrics : regular;
        EXPECT_EQ(w.sb1->panel(i).width, fm.horizontalAdvance(w.sb1->text(i)) + 2 * TStatusPanels::kTextMargin) << i;
    }
    EXPECT_GT(w.sb1->panel(3).width, regular.horizontalAdvance("No category") + 2 * TStatusPanels::kTextMargin);
}
