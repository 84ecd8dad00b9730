#pragma once
// The "Breaks" page: pauses between QSOs longer than a minimum, and the
// band-change rule check that marks short stays on a band in the log.

#include "main/keoe_grid.h"

#include <QWidget>

class KeoEGridView;
class QCheckBox;
class QLabel;
class QSpinBox;
class QToolButton;
class TForm2;

class BreaksPage : public QWidget {
    Q_OBJECT
public:
    explicit BreaksPage(TForm2& form, QWidget* parent = nullptr);

    QSpinBox* se1 = nullptr;   // minimum break, minutes
    QCheckBox* cb4 = nullptr;  // "but <"
    QSpinBox* se2 = nullptr;   // maximum break, minutes
    QToolButton* tb33 = nullptr;
    QLabel* l22 = nullptr;     // total break time
    TKeoEGrid breaksGrid;
    KeoEGridView* Breaks_Grid = nullptr;

    // The band-change rule's limit, set by the menu item before the check.
    int BandChangeMinutes = 5;

signals:
    // A break's QSO to be shown in the log table.
    void logRowChosen(int row);

public slots:
    void Breaks();
    void tb33Click();
    void Breaks_GridDblClick();
    void N5minuts1Click();
    void N10minuts1Click();
    void Check_bands_change_rule();

private:
    TForm2& form_;
};
