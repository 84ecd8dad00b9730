#pragma once
// "Find QSO": the QSOs of the log that meet every ticked criterion, in a
// grid of their own that can be saved as HTML.

#include "analysis/find_qso.h"
#include "main/keoe_grid.h"

#include <QDialog>

#include <vector>

class KeoEGridView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;
class TForm2;

class TFind_qso : public QDialog {
    Q_OBJECT
public:
    explicit TFind_qso(TForm2& form);
    ~TFind_qso() override;

    TKeoEGrid& grid() { return found_; }
    KeoEGridView* Find_Keo = nullptr;

    QCheckBox *CB1 = nullptr, *cb2 = nullptr, *CBNOTDXCC = nullptr, *cb3 = nullptr, *cb4 = nullptr, *cb5 = nullptr,
              *cb6 = nullptr, *cb7 = nullptr, *cb8 = nullptr, *CBDXCC = nullptr, *CBWAZ = nullptr, *CBITU = nullptr,
              *cbwpx = nullptr, *CBRUS = nullptr, *CBMAS = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr;
    QSpinBox *ITU_Spin = nullptr, *WAZ_Spin = nullptr;
    QComboBox *Co_BAND = nullptr, *CO_MODE = nullptr, *CO_CONT = nullptr;
    QPushButton *b1 = nullptr, *b2 = nullptr, *b3 = nullptr, *b4 = nullptr;
    QStatusBar* sb1 = nullptr;
    QLabel* sb1Panel = nullptr;

    // The country of the prefix in Edit2 (none when the country file does not know it).
    ChosenCountry ChosenCountryNum;

    // The criteria as the controls hold them.
    FindCriteria criteria() const;

public slots:
    void b1Click();
    void b2Click();
    void b3Click();
    void b4Click();
    void Edit2Change();
    void CB1Click();
    void cb2Click();
    void CBNOTDXCCClick();
    void FormActivate();

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Every found QSO readable: the log's column widths at least.
    void fitColumns();
    TForm2& form_;
    TKeoEGrid found_;
    std::vector<int> logWidths_;
};
