#pragma once
// Every country with its distance from the country of a callsign, nearest
// first, optionally of one continent only.

#include "main/keoe_grid.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>

class KeoEGridView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TCty_search;

class Trem_Form : public QDialog {
    Q_OBJECT
public:
    // stationCall: the callsign of the loaded log, put into Edit1 on activation.
    Trem_Form(TCty_search& cty, std::filesystem::path ctyDat, std::function<std::string()> stationCall,
              QWidget* parent = nullptr);
    ~Trem_Form() override;

    QLineEdit* Edit1 = nullptr;
    QLabel* nam_L = nullptr;
    QPushButton* Button1 = nullptr;
    QCheckBox* Ch = nullptr;
    QComboBox* CB1 = nullptr;
    TKeoEGrid keo1;
    KeoEGridView* Keo1 = nullptr;

public slots:
    void FormActivate();
    void Edit1Change();
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TCty_search& cty_;
    std::filesystem::path ctyDat_;
    std::function<std::string()> stationCall_;
    // The position distances are measured from: the window's own, so that
    // the home position of the settings stays as it is.
    bool haveReference_ = false;
    double refLat_ = 0;
    double refLon_ = 0;
    int refCountry_ = 0; // the reference callsign's country, left out of the list
};
