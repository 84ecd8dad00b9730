#include "main/file_associations.h"
#include "main/properties_dialog.h"
#include "test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void retype(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
}

} // namespace

TEST(TProperties, StationEditsWorkOutPositionCountryAndUtcDifference)
{
    QTemporaryDir dir;
    TCty_search cty(makeProgramFolder(dir));
    AppState state;
    TProperties p(cty, state);
    EXPECT_EQ(p.windowTitle(), "Settings");

    TSettings s;
    s.MyLocator = "ko85ts";
    s.MyCall = "ra3aa";
    s.UtcDifference = "3";
    p.loadSettings(s);
    // The locator gives the home position, then the call's country fills the
    // labels, and the stored difference replaces the country's.
    EXPECT_EQ(p.Edit2->text(), "KO85TS");
    EXPECT_DOUBLE_EQ(state.HomeLat, 55.77);
    EXPECT_DOUBLE_EQ(state.HomeLon, -37.63);
    EXPECT_EQ(p.Edit1->text(), "RA3AA");
    EXPECT_EQ(state.CurrentCall, "RA3AA");
    EXPECT_EQ(p.Label3->text(), "European Russia");
    EXPECT_EQ(p.Label5->text(), "53.65");
    EXPECT_EQ(p.Label4->text(), "-41.37");
    EXPECT_EQ(p.Edit3->text(), "3");

    retype(p.Edit2, "lo66");
    EXPECT_EQ(p.Edit2->text(), "LO66");
    EXPECT_EQ(p.Label4->text(), "-51.96");
    EXPECT_EQ(p.Label5->text(), "55.98");
    EXPECT_DOUBLE_EQ(state.HomeLat, 55.98);
    retype(p.Edit2, "LOX6");
    EXPECT_EQ(p.Label4->text(), "0");
    EXPECT_EQ(p.Label5->text(), "0");
    EXPECT_DOUBLE_EQ(state.HomeLat, 55.98);
    EXPECT_DOUBLE_EQ(state.HomeLon, -51.96);

    retype(p.Edit1, "k");
    EXPECT_EQ(p.Label3->text(), "");
    EXPECT_EQ(p.Edit3->text(), "");
    QTest::keyClicks(p.Edit1, "1abc");
    EXPECT_EQ(p.Edit1->text(), "K1ABC");
    EXPECT_EQ(state.CurrentCall, "K1ABC");
    EXPECT_EQ(p.Label3->text(), "United States");
    EXPECT_EQ(p.Label4->text(), "91.67");
    EXPECT_EQ(p.Edit3->text(), "5");

    retype(p.Edit3, "-4.");
    EXPECT_EQ(p.Edit3->text(), "-4.");
    retype(p.Edit3, "12");
    EXPECT_EQ(p.Edit3->text(), "12");
    QTest::keyClicks(p.Edit3, "0");
    EXPECT_EQ(p.Edit3->text(), ""); // 1201 is out of range
    retype(p.Edit3, "13");
    EXPECT_EQ(p.Edit3->text(), "");
}

TEST(TProperties, SettingsSurviveARestart)
{
    QTemporaryDir dir;
    const fs::path folder = makeProgramFolder(dir);
    const fs::path ini = folder / "zem.ini";
    TCty_search cty(folder);

    {
        AppState state;
        TProperties p(cty, state);
        p.dataHome = folder / "share";
        p.loadSettings(readSettings(ini));
        // A missing file: the separate filters, Moscow, the default station.
        EXPECT_TRUE(p.r2->isChecked());
        EXPECT_EQ(p.op1Filter, kCabrilloFilterSeparately);
        EXPECT_EQ(p.c1->currentText(), "Moscow");
        EXPECT_EQ(p.Edit2->text(), "LO66");
        EXPECT_EQ(p.Edit1->text(), "UA");
        EXPECT_EQ(p.Edit3->text(), "-4.0");
        EXPECT_FALSE(p.cb1->isChecked());

        QString chosen = "/home/op/logs";
        QString openedAt = "unset";
        p.chooseFolder = [&](QWidget*, const QString& start) {
            openedAt = start;
            return chosen;
        };
        QTest::mouseClick(p.b1, Qt::LeftButton);
        EXPECT_EQ(openedAt, "");
        chosen = "/home/op/tr";
        QTest::mouseClick(p.b4, Qt::LeftButton);
        EXPECT_FALSE(openedAt.isEmpty());
        chosen = ""; // cancelled: the folder stays
        QTest::mouseClick(p.b1, Qt::LeftButton);
        EXPECT_EQ(p.Edit6->text(), "/home/op/logs");
        EXPECT_EQ(p.op1InitialDir, "/home/op/logs");
        EXPECT_EQ(p.optInitialDir, "/home/op/tr");

        p.r1->setChecked(true);
        EXPECT_EQ(p.op1Filter, kCabrilloFilterTogether);
        p.s->setChecked(true);
        p.oc->setChecked(true);
        p.c1->setCurrentIndex(1);
        p.c4->setChecked(true);
        p.Edit1->setText("UA9XX");
        p.Edit2->setText("MO05");
        p.Edit3->setText("-6");

        TSettings s = readSettings(ini);
        s.WheelSpeed = 4; // not the dialog's: kept as it was
        p.saveSettings(s);
        EXPECT_EQ(s.WheelSpeed, 4);
        writeSettings(ini, s);
    }

    AppState state;
    TProperties p(cty, state);
    p.dataHome = folder / "share";
    p.loadSettings(readSettings(ini));
    EXPECT_TRUE(p.r1->isChecked());
    EXPECT_EQ(p.op1Filter, kCabrilloFilterTogether);
    EXPECT_EQ(TProperties::nameFilters(p.op1Filter),
              (QStringList{"Cabrillo(*.cbr,*.log,*.txt) (*.cbr *.log *.txt)", "All files(*.*) (*)"}));
    EXPECT_TRUE(p.s->isChecked());
    EXPECT_TRUE(p.oc->isChecked());
    EXPECT_EQ(p.c1->currentText(), "Boulder");
    EXPECT_TRUE(p.c4->isChecked());
    EXPECT_FALSE(p.c2->isChecked());
    EXPECT_EQ(p.Edit6->text(), "/home/op/logs");
    EXPECT_EQ(p.tre->text(), "/home/op/tr");
    EXPECT_EQ(p.op1InitialDir, "/home/op/logs");
    EXPECT_EQ(p.optInitialDir, "/home/op/tr");
    EXPECT_EQ(p.Edit1->text(), "UA9XX");
    EXPECT_EQ(p.Edit2->text(), "MO05");
    EXPECT_EQ(p.Edit3->text(), "-6");
    EXPECT_EQ(readSettings(ini).WheelSpeed, 4);
}

TEST(TProperties, EscClosesAndAppliesTheExtensions)
{
    QTemporaryDir dir;
    const fs::path folder = makeProgramFolder(dir);
    TCty_search cty(folder);
    AppState state;
    TProperties p(cty, state);
    p.dataHome = folder / "share";
    p.exePath = "/opt/zem/zem";
    const fs::path dat = p.dataHome / "mime" / "packages" / "zem-dat.xml";
    const fs::path entry = p.dataHome / "applications" / "zem.desktop";

    p.c5->setChecked(true);
    p.show();
    p.Edit1->setFocus();
    QTest::keyClick(p.Edit1, Qt::Key_Escape);
    EXPECT_FALSE(p.isVisible());
    EXPECT_TRUE(fs::exists(dat));
    EXPECT_TRUE(fs::exists(entry));
    EXPECT_FALSE(fs::exists(p.dataHome / "mime" / "packages" / "zem-cbr.xml"));

    p.c5->setChecked(false);
    p.show();
    p.close();
    EXPECT_FALSE(p.isVisible());
    EXPECT_FALSE(fs::exists(dat));
    EXPECT_FALSE(fs::exists(entry));
}
