#include "analysis/operator_commands.h"

#include "analysis/charts_page.h"
#include "analysis/operators.h"
#include "analysis/tchoos_op.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"

#include <QAction>
#include <QMenu>

OperatorCommands::OperatorCommands(TForm2& form) : QObject(&form), form_(form)
{
    setObjectName("OperatorCommands");
    Choos_op = new TChoos_op(&form);
    Choos_op->onChosen = [this](const std::string& op) {
        form_.ChosenOperator = QString::fromStdString(op);
        form_.OperatorMode = true;
        form_.open_adif();
    };

    mo1Menu = new QMenu(&form);
    mo1Menu->setObjectName("mo1Menu");
    const struct {
        QAction** item;
        const char* name;
        const char* caption;
        void (OperatorCommands::*handler)();
    } items[] = {{&QSOvsOP1, "QSOvsOP1", "All bands", &OperatorCommands::QSOvsOP1Click},
                 {&N1601, "N1601", "160", &OperatorCommands::N1601Click},
                 {&N801, "N801", "80", &OperatorCommands::N801Click},
                 {&N401, "N401", "40", &OperatorCommands::N401Click},
                 {&N201, "N201", "20", &OperatorCommands::N201Click},
                 {&N151, "N151", "15", &OperatorCommands::N151Click},
                 {&N101, "N101", "10", &OperatorCommands::N101Click}};
    for (const auto& i : items) {
        *i.item = mo1Menu->addAction(i.caption);
        (*i.item)->setObjectName(i.name);
        connect(*i.item, &QAction::triggered, this, i.handler);
    }
    form.mo1->setMenu(mo1Menu);
    form.chartsPage->Popchart->insertAction(form.chartsPage->Points, form.mo1);
    connect(form.Co1, &QAction::triggered, this, &OperatorCommands::Co1Click);
}

void OperatorCommands::fillTable()
{
    fillOperatorTable(form_.state().log_grid, Choos_op->table());
    Choos_op->mm_keo->gridModel()->refresh();
}

void OperatorCommands::Co1Click()
{
    try {
        fillTable();
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()));
        return;
    }
    Choos_op->exec();
}

void OperatorCommands::QSOvsOP()
{
    if (!form_.Co1->isEnabled()) return;
    form_.chartsPage->drawChart([this](ChartData& chart) {
        fillTable();
        operatorChart(Choos_op->table(), AuxCounter, form_.state().header.LogTitle, chart,
                      [this] { return static_cast<std::uint32_t>(rng_() & 0xFFFFFF); });
    });
}

void OperatorCommands::chart(int column)
{
    AuxCounter = column;
    QSOvsOP();
}

void OperatorCommands::QSOvsOP1Click() { chart(2); }
void OperatorCommands::N1601Click() { chart(3); }
void OperatorCommands::N801Click() { chart(4); }
void OperatorCommands::N401Click() { chart(5); }
void OperatorCommands::N201Click() { chart(6); }
void OperatorCommands::N151Click() { chart(7); }
void OperatorCommands::N101Click() { chart(8); }
