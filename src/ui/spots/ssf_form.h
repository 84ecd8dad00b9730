#pragma once
// The spots of one callsign, found in the spot window's table.

#include "main/keoe_grid.h"

#include <QDialog>

class KeoEGridView;

class TSSF : public QDialog {
    Q_OBJECT
public:
    explicit TSSF(QWidget* parent = nullptr);
    ~TSSF() override;

    TKeoEGrid sg;
    KeoEGridView* SG = nullptr;
};
