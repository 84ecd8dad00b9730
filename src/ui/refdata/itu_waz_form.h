#pragma once
// The countries of one ITU or WAZ zone, read from cty.dat.

#include <QDialog>

#include <filesystem>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TITU_WAZ_form : public QDialog {
    Q_OBJECT
public:
    TITU_WAZ_form(std::filesystem::path ctyDat, QWidget* parent = nullptr);

    QRadioButton* itu_rb = nullptr;
    QRadioButton* waz_rb = nullptr;
    QSpinBox* se1 = nullptr;
    QPushButton* Button1 = nullptr;
    QListWidget* lb1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;

public slots:
    void itu_rbClick();
    void waz_rbClick();
    void Button1Click();

private:
    void fitList(int rows);
    std::filesystem::path ctyDat_;
};
