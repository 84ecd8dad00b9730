#pragma once
// "Choose the operator": the operators of the log with their QSO counts;
// choosing one reads the log again with that operator's QSOs only.

#include "main/keoe_grid.h"

#include <QDialog>

#include <functional>
#include <string>

class KeoEGridView;
class QPushButton;

class TChoos_op : public QDialog {
    Q_OBJECT
public:
    explicit TChoos_op(QWidget* parent = nullptr);
    ~TChoos_op() override;

    TKeoEGrid& table() { return table_; }
    KeoEGridView* mm_keo = nullptr;
    QPushButton* Button1 = nullptr; // OK
    QPushButton* Button2 = nullptr; // Close

    // What choosing an operator does (the main window re-reads its log).
    std::function<void(const std::string& op)> onChosen;

    // The operator of the selected row (the first row when none is selected).
    std::string selectedOperator() const;

public slots:
    void Button1Click();
    void mm_keoDblClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TKeoEGrid table_;
};
