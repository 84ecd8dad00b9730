#pragma once
// The commands of a multi-operator log: the operator chooser and the
// "QSO vs. Op." charts.

#include <QObject>

#include <random>

class QAction;
class QMenu;
class TChoos_op;
class TForm2;

class OperatorCommands : public QObject {
    Q_OBJECT
public:
    // Builds the chooser and the "QSO vs. Op." sub-menu on the main window's mo1.
    explicit OperatorCommands(TForm2& form);

    TChoos_op* Choos_op = nullptr;
    QMenu* mo1Menu = nullptr;
    QAction *QSOvsOP1 = nullptr, *N1601 = nullptr, *N801 = nullptr, *N401 = nullptr, *N201 = nullptr,
            *N151 = nullptr, *N101 = nullptr;
    // Column of the operator table the chart draws: 2 "Total QSO", 3 .. 8 the bands 160 .. 10.
    int AuxCounter = 2;

public slots:
    void Co1Click();
    void QSOvsOP();
    void QSOvsOP1Click();
    void N1601Click();
    void N801Click();
    void N401Click();
    void N201Click();
    void N151Click();
    void N101Click();

private:
    // The table of the chooser, made afresh from the log.
    void fillTable();
    void chart(int column);
    TForm2& form_;
    std::mt19937 rng_{std::random_device{}()};
};
