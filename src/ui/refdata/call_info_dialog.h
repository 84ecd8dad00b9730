#pragma once
// The "Information on callsign" window: the country facts and distance of a
// typed callsign, and the calls of the master file that match it ("?" for
// any character).

#include <QDialog>
#include <QString>

#include <functional>
#include <utility>

class TCty_search;
class TMasterCallDB;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct AppState;

class TQTHF : public QDialog {
    Q_OBJECT
public:
    // homePosition gives the home latitude and longitude as the settings hold
    // them now; the save dialog opens in the log's output folder, in
    // programFolder without a log.
    TQTHF(TCty_search& cty, TMasterCallDB& master, AppState& state, std::function<std::pair<double, double>()> homePosition,
          const QString& programFolder, QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;
    QLabel* label20 = nullptr; // country
    QLabel* label21 = nullptr; // continent
    QLabel* label22 = nullptr; // ITU
    QLabel* label23 = nullptr; // WAZ
    QLabel* label24 = nullptr; // distance, km
    QLabel* label25 = nullptr; // time difference
    QLabel* label26 = nullptr; // latitude
    QLabel* label27 = nullptr; // longitude
    QLabel* label28 = nullptr; // locator
    QGroupBox* masterBox = nullptr;
    QListWidget* l = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QPushButton* Button2 = nullptr;

    // The save dialog of Button2Click; an empty name when cancelled. Tests replace it.
    std::function<QString()> SaveFileName;

public slots:
    void FormShow();
    void Edit1Change();
    void lDblClick();
    void Button2Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void clearFacts(int lastLabel);

    TCty_search& cty_;
    TMasterCallDB& master_;
    AppState& state_;
    std::function<std::pair<double, double>()> homePosition_;
    QString programFolder_;
};
