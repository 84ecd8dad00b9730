#pragma once
// Calculator of the time a CW message takes to send many times.

#include <QDialog>

class QLabel;
class QLineEdit;
class QSpinBox;

class Tcw_call_form : public QDialog {
    Q_OBJECT
public:
    explicit Tcw_call_form(QWidget* parent = nullptr);

    QSpinBox* Sp4 = nullptr; // delay at the beginning, ms
    QLineEdit* Edit1 = nullptr;
    QSpinBox* Sp3 = nullptr; // delay at the end, ms
    QSpinBox* Sp1 = nullptr; // repeat
    QSpinBox* Sp2 = nullptr; // WPM
    QLabel* Label7 = nullptr;

public slots:
    void calc_time();
    void Edit1Change() { calc_time(); }
    void Sp1Change() { calc_time(); }
    void Sp2Change() { calc_time(); }
    void Sp3Change() { calc_time(); }
    void Sp4Change() { calc_time(); }
};
