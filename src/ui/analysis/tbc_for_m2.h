#pragma once
// The window "Band changes for M/2": the band changes and QSOs of each
// transmitter of a multi-two log per clock hour, hours with too many band
// changes in bold blue.

#include "main/keoe_grid.h"

#include <QDialog>

class KeoEGridView;
class QPainter;

class Tbc_for_m2 : public QDialog {
    Q_OBJECT
public:
    explicit Tbc_for_m2(QWidget* parent = nullptr);

    TKeoEGrid M2_grid;
    KeoEGridView* M2_Keo = nullptr;

    void M2_KeoDrawCell(QPainter& p, const QRect& r, int col, int row);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void FormKeyPress(QKeyEvent* e);
};
