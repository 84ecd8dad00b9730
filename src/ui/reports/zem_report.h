#pragma once
// "Tables for printing": the program's tables with check boxes; a double
// click previews one, "Print" prints the checked ones. Each table is made
// afresh into a grid of the window's own.

#include "reports/report_tables.h"

#include <QDialog>

class QFontDialog;
class QPushButton;
class QTreeWidget;
class TCty_search;
class TPrintStringGrid;

class TZEM_Report : public QDialog {
    Q_OBJECT
public:
    TZEM_Report(const AppState& state, TCty_search& cty, ReportOptions options, QWidget* parent = nullptr);

    QTreeWidget* l = nullptr;
    QPushButton* b1 = nullptr; // Font
    QPushButton* b2 = nullptr; // Close
    QPushButton* b3 = nullptr; // Select all
    QPushButton* b4 = nullptr; // None
    QPushButton* s1 = nullptr; // Print
    QFontDialog* f = nullptr;
    TPrintStringGrid* PSG = nullptr;

    // Makes table `index` (list order) and hands it to PSG as it is set.
    void produce(int index);

public slots:
    void FormShow();
    void b1Click();
    void b3Click();
    void b4Click();
    void lDblClick();
    void s1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void setAllChecked(bool on);
    const AppState& state_;
    TCty_search& cty_;
    ReportOptions options_;
};
