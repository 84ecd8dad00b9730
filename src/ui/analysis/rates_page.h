#pragma once
// The "Rate" page: minutes with several QSOs, and the best QSO rate over
// periods of 10 to 120 minutes, each listed and saved in the log's "Rates"
// folder.

#include "main/keoe_grid.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

class KeoEGridView;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class TForm2;

class RatesPage : public QWidget {
    Q_OBJECT
public:
    explicit RatesPage(TForm2& form, QWidget* parent = nullptr);

    QGroupBox* g4 = nullptr;
    QRadioButton* rb20 = nullptr;               // all
    std::array<QRadioButton*, 8> rbN{};         // rb8..rb15: 2..9 QSOs
    std::array<QLabel*, 8> rowTitles{};         // st3, st8, st9, st12, st61, s62, s63, s64
    QLabel* StaticText70 = nullptr;             // "Times"
    std::array<QLabel*, 8> counts{};            // Label30..Label37
    QPushButton* Button6 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    TKeoEGrid rateGrid;
    KeoEGridView* Rate_KeoEGrid = nullptr;
    QPushButton* Button7 = nullptr;
    QListWidget* l11 = nullptr;

    // Rows of the best window found by the latest Get_rate.
    int BestWindowFirst = 0;
    int BestWindowLast = 0;

    // Best window for `period` minutes into row `row` of grid.
    void Get_rate(TKeoEGrid& grid, int period, int row);

public slots:
    void Button6Click();
    void Button7Click();
    void Rate_KeoEGridDblClick();

private:
    std::filesystem::path ratesFile(const std::string& name) const;
    void showLines(const std::vector<std::string>& lines);
    void jobFailed(const std::exception& e);
    TForm2& form_;
};
