#pragma once
// Moves the date and time of all or of the selected QSOs of the log by a
// number of minutes, with an example of the first QSO before and after.

#include "import/dt_change.h"
#include "main/keoe_grid.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

class TDT_change : public QDialog {
    Q_OBJECT
public:
    explicit TDT_change(TKeoEGrid& log, QWidget* parent = nullptr);

    QSpinBox* sp = nullptr;
    QCheckBox* CB1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // The log table's selection (top and bottom row) for "Only selected".
    void setSelectedRows(int top, int bottom);

public slots:
    void FormActivate();
    void spChange();
    // Shifts the rows (all, or selTop..selBottom when CB1 is checked).
    // Returns the conversion error that stopped it, empty when all went well.
    QString Button1Click(int selTop, int selBottom);

protected:
    void showEvent(QShowEvent* e) override;

private:
    TKeoEGrid& log_;
    QsoDateTime old_;
    bool hasOld_ = false;
    int selTop_ = 1;
    int selBottom_ = 1;
};
