#pragma once
// "Distribution. Additional information": how the stations of the
// by-number-of-bands distribution split by band count, how many QSOs they
// account for, and how many of them the master file lacks.

#include <QDialog>

#include <array>

struct AppState;
class DistributionPage;
class TMasterCallDB;
class QKeyEvent;
class QLabel;
class QProgressBar;

class Tadd_info : public QDialog {
    Q_OBJECT
public:
    Tadd_info(DistributionPage& page, AppState& state, TMasterCallDB& master, QWidget* parent = nullptr);

    // Rows 1..8 of each column: number label and gauge.
    std::array<QLabel*, 8> notFoundLabels{}, qsoLabels{}, stationLabels{};
    std::array<QProgressBar*, 8> notFoundGauges{}, qsoGauges{}, stationGauges{};

public slots:
    void FormActivate();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override { FormKeyPress(e); }

private:
    void FormKeyPress(QKeyEvent* e);

    DistributionPage& page_;
    AppState& state_;
    TMasterCallDB& master_;
};
