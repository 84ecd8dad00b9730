#pragma once
// The "DXCC" page: the country commands on the left, their shared result
// table StringGrid3 on the right.

#include "analysis/country_tables.h"
#include "main/keoe_grid.h"

#include <QWidget>

#include <array>
#include <functional>

class KeoEGridView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TForm2;

class DxccPage : public QWidget {
    Q_OBJECT
public:
    DxccPage(TForm2& form, QWidget* parent = nullptr);
    ~DxccPage() override;

    TKeoEGrid& grid() { return dxccGrid_; }
    // Buttons follow whether a log is loaded.
    void setLogLoaded(bool loaded);
    // Fits the columns of StringGrid3 to their contents.
    void fitColumns();

    // Call points the main window wires: the distance from the home
    // position, and the callsign information of CurrentCall in sb3. Left
    // empty, "Dist." stays empty and a click shows nothing more.
    DistanceFn Calc_distance;
    std::function<void()> Show_call_info;

    KeoEGridView* StringGrid3 = nullptr;
    QPushButton* Button15 = nullptr;   // QSO by countries
    QPushButton* wpx_Button = nullptr; // WPX by countries
    QPushButton* rm_Button = nullptr;  // Remaining mults
    QPushButton* Button1 = nullptr;    // In the chronological order
    QComboBox* cont_ComboBox = nullptr;
    QComboBox* bands_ComboBox = nullptr;
    QPushButton* Button9 = nullptr; // Stations from the certain country
    QLineEdit* Edit2 = nullptr;
    QLabel* Label60 = nullptr;
    std::array<QLabel*, 6> BandCountLabels{}; // Label39, Label47, Label54 .. Label57
    QPushButton* Button12 = nullptr;          // Distribution hour-rate-continents
    QPushButton* WAZ_But = nullptr;
    QPushButton* ITU_But = nullptr;
    QPushButton* b2 = nullptr; // Russian oblasts

public slots:
    void Button15Click();
    void wpx_ButtonClick();
    void Button3Click();
    void Button1Click();
    void Button9Click();
    void Button12Click();
    void WAZ_ButClick();
    void ITU_ButClick();
    void b2Click();
    void Edit2Change();
    void StringGrid3Click();

public:
    void Edit2KeyPress(int key);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Runs a command; what it throws is shown in the program's message box.
    template <class F>
    void command(F f);
    void writeHtml(const std::string& name);
    // Label60 := the country of the prefix in Edit2 (empty when none).
    void showPrefixCountry();
    void zoneTable(int kind);
    void StringGrid3DrawCell(QPainter& p, const QRect& r, int col, int row, bool selected);

    TForm2& form_;
    QWidget* left_ = nullptr;
    TKeoEGrid dxccGrid_{5, 2, 1, 1};
};
