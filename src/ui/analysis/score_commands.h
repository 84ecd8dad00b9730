#pragma once
// The score commands of the log table's pop-up menu: each writes the QSO
// points, reruns the analysis pass so that the Summary shows them per band,
// and tells the claimed score.

#include "analysis/scores.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class TForm2;

class TScoreCommands : public QObject {
    Q_OBJECT
public:
    // Adds the submenu "Points" with the four contests to parentMenu.
    TScoreCommands(TForm2& form, QMenu* parentMenu);

    QMenu* PointsMenu = nullptr;
    QAction* CQWW1 = nullptr;
    QAction* CQWPX1 = nullptr;
    QAction* CoU = nullptr;
    QAction* UCG1 = nullptr;

public slots:
    void CQWW1Click();
    void CQWPX1Click();
    void CoUClick();
    void UCG1Click();
    // Reruns the analysis pass, shows "<contestName>:" and the score on the
    // next line, and enables the chart of points.
    void Show_points(const QString& contestName, const QString& scoreText);

private:
    // Writes the points, builds the score text and shows it under the item's caption.
    void score(TScoreContest contest, const QAction* item);

    TForm2& form_;
};
