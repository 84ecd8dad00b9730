#include "analysis/score_commands.h"

#include "main/form2.h"
#include "main/platform.h"

#include <QAction>
#include <QMenu>

TScoreCommands::TScoreCommands(TForm2& form, QMenu* parentMenu) : QObject(&form), form_(form)
{
    PointsMenu = parentMenu->addMenu("Points");
    PointsMenu->setObjectName("PointsMenu");
    const struct {
        QAction** item;
        const char* name;
        const char* caption;
        void (TScoreCommands::*slot)();
    } items[] = {{&CQWW1, "CQWW1", "CQ WW", &TScoreCommands::CQWW1Click},
                 {&CQWPX1, "CQWPX1", "CQ WPX", &TScoreCommands::CQWPX1Click},
                 {&CoU, "CoU", "Cup of Ural", &TScoreCommands::CoUClick},
                 {&UCG1, "UCG1", "UCG", &TScoreCommands::UCG1Click}};
    for (const auto& it : items) {
        *it.item = PointsMenu->addAction(it.caption);
        (*it.item)->setObjectName(it.name);
        connect(*it.item, &QAction::triggered, this, it.slot);
    }
}

void TScoreCommands::CQWW1Click() { score(TScoreContest::CQWW, CQWW1); }

// The prefix multiplier counts once per log, also when the command line
// switched the UCG mode on.
void TScoreCommands::CQWPX1Click()
{
    AppState& s = form_.state();
    const bool ucgMode = s.UcgMode;
    s.UcgMode = false;
    score(TScoreContest::CQWPX, CQWPX1);
    s.UcgMode = ucgMode;
}

void TScoreCommands::CoUClick() { score(TScoreContest::CupOfUral, CoU); }

// The UCG multiplier is a prefix per frequency; the mode ends with the
// command, also when the command line had switched it on.
void TScoreCommands::UCG1Click()
{
    form_.state().UcgMode = true;
    score(TScoreContest::UCG, UCG1);
    form_.state().UcgMode = false;
}

void TScoreCommands::score(TScoreContest contest, const QAction* item)
{
    AppState& s = form_.state();
    if (s.header.QsoCount < 1) return;
    const TForm2::Job job(form_); // the passes it runs are steps of this command
    try {
        const long long points = writeQsoPoints(s, form_.Cty, contest);
        // The prefix count comes from a pass in the mode the command chose;
        // CQ WW's multipliers are the last pass's, which the points do not change.
        if (contest == TScoreContest::CQWPX || contest == TScoreContest::UCG) form_.Process_log_and_summary();
        const std::string text = scoreText(contest, form_.summary.Summary_Grid, s.WpxCount, points);
        Show_points(item->text(), QString::fromStdString(text));
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()));
    }
}

void TScoreCommands::Show_points(const QString& contestName, const QString& scoreText)
{
    form_.Process_log_and_summary();
    Show_msg(QString::fromStdString(scoreMessage(contestName.toStdString(), scoreText.toStdString())));
    if (auto* points = form_.findChild<QAction*>("Points")) points->setEnabled(true);
}
