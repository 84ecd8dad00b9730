#pragma once
// The window that lists the contests of an N1MM Logger database and loads
// one of them into the main window.

#include "main/keoe_grid.h"

#include "import/n1mm_import.h"

#include <QDialog>

class KeoEGridView;
class QLineEdit;
class QPushButton;
class TForm2;

class Tn1mm : public QDialog {
    Q_OBJECT
public:
    explicit Tn1mm(TForm2& form, QWidget* parent = nullptr);

    QLineEdit* e = nullptr;
    QPushButton* b = nullptr;
    QPushButton* b3 = nullptr;
    QPushButton* b1 = nullptr;
    QPushButton* b2 = nullptr;
    KeoEGridView* ng = nullptr;
    TKeoEGrid contests{5, 2, 0, 1};

    // Lists the contests of the database, each column as wide as its texts.
    void showContests(const std::vector<N1mmContest>& list);

public slots:
    void bClick();
    void eChange();
    void b3Click();
    void b1Click();
    void b2Click();
    void Read_datebase();
    void ImportQSOsFromN1MM();
    void FormClose();

protected:
    void done(int r) override;

private:
    TForm2& form_;
};
