#pragma once
// The "Near zone" page: the QSOs on 7 .. 28 MHz with stations close to a
// callsign's country, one list per band.

#include "analysis/near_zone.h"
#include "main/keoe_grid.h"

#include <QWidget>

#include <array>

class KeoEGridView;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TCty_search;

class NearZonePage : public QWidget {
    Q_OBJECT
public:
    NearZonePage(const TKeoEGrid& log, TCty_search& cty, QWidget* parent = nullptr);
    ~NearZonePage() override;

    QPushButton* Button10 = nullptr; // Show
    QLineEdit* Edit1 = nullptr;      // For callsign
    QSpinBox *SE3 = nullptr, *SE4 = nullptr, *SE5 = nullptr, *SE6 = nullptr;
    QTabWidget* bandTabs = nullptr;
    KeoEGridView *Keo_near_7 = nullptr, *Keo_near_14 = nullptr, *Keo_near_21 = nullptr, *Keo_near_28 = nullptr;
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;

    const TKeoEGrid& grid(int band) const { return grids_[static_cast<size_t>(band)]; }

public slots:
    void Button10Click();

private:
    const TKeoEGrid& log_;
    TCty_search& cty_;
    std::array<TKeoEGrid, NearZoneBandCount> grids_;
};
