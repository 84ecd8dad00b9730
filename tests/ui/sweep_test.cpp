// The user who clicks everything: every command that a menu item, a button or
// a key of the main window and its pages reaches, found from the window's own
// actions and buttons, run twice on real logs at the sizes users have, with
// every box and dialog answered. The program must live through all of it, and
// what a command fills must stay filled when it runs again.
#include "analysis/analysis_chart_view.h"
#include "analysis/summary_chart.h"
#include "main/keoe_grid_view.h"
#include "main_window_support.h"
#include "reports/printing.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QAbstractBarSeries>
#include <QChart>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <iostream>
#include <set>

namespace {

// Where an object lives: the nearest widget above it that is not a menu (a
// menu is a window of its own, but belongs where it pops up from).
QWidget* hostOf(QObject* o)
{
    for (; o; o = o->parent())
        if (auto* w = qobject_cast<QWidget*>(o); w && !qobject_cast<QMenu*>(w)) return w;
    return nullptr;
}

// Makes every page and tab on the way down to the widget the current one, as
// the user does before clicking there; false when a tab on the way is hidden.
bool showHost(QWidget* host)
{
    for (QWidget* c = host; c && !c->isWindow(); c = c->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(c->parentWidget());
        if (!stack) continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) {
            const int i = tabs->indexOf(c);
            if (i < 0 || !tabs->isTabVisible(i)) return false;
            tabs->setCurrentIndex(i);
        } else {
            stack->setCurrentWidget(c);
        }
    }
    return true;
}

QString nameOf(QObject* o)
{
    QString text;
    if (auto* a = qobject_cast<QAction*>(o)) text = a->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) text = b->text();
    return QString("%1 \"%2\"").arg(o->objectName(), text.remove('&'));
}

// Answers whatever a command puts up while it runs: pop-up menus are closed,
// message boxes get their default answer, the platform's file, font, colour,
// input and progress dialogs are cancelled; a dialog of the program's own has
// each of its buttons run (once per kind of dialog, nested boxes answered the
// same way), then is closed. A dialog that will not go away fails the test.
class Answerer : public QObject {
public:
    Answerer()
    {
        timer_.setInterval(2);
        connect(&timer_, &QTimer::timeout, this, &Answerer::tick);
        timer_.start();
    }
    QStringList seen; // every modal window answered, for the report of a failure

private:
    static bool closing(const QAbstractButton* b)
    {
        static const QStringList words{"ok", "cancel", "close", "exit", "yes", "no", "abort", "done"};
        return words.contains(b->text().remove('&').trimmed().toLower());
    }
    static bool platformDialog(QWidget* w)
    {
        return qobject_cast<QFileDialog*>(w) || qobject_cast<QInputDialog*>(w) || qobject_cast<QFontDialog*>(w) ||
               qobject_cast<QColorDialog*>(w) || qobject_cast<QProgressDialog*>(w) ||
               qobject_cast<QPrintPreviewDialog*>(w) || w->inherits("QAbstractPrintDialog") ||
               w->inherits("QPageSetupDialog");
    }
    void tick()
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
            return;
        }
        QWidget* top = QApplication::activeModalWidget();
        if (!top || !top->isVisible()) return;
        if (top != current_) {
            current_ = top;
            since_.restart();
            seen << QString("%1 \"%2\"").arg(top->metaObject()->className(), top->windowTitle());
        } else if (since_.elapsed() > 8000) {
            ADD_FAILURE() << "the window " << top->metaObject()->className() << " \""
                          << top->windowTitle().toStdString() << "\" would not close";
            since_.restart();
            if (auto* d = qobject_cast<QDialog*>(top)) d->reject();
            else top->close();
            return;
        }
        if (clicking_.contains(top)) return; // one of its buttons is still at work
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
            QAbstractButton* b = box->defaultButton();
            if (!b) b = box->buttons().value(0);
            if (b) b->click();
            else box->close();
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(top);
        if (platformDialog(top) || !dialog) {
            if (dialog) dialog->reject();
            else top->close();
            return;
        }
        // A dialog of the program: its buttons, each once for this kind of
        // dialog, the buttons that close it last.
        std::set<QString>& done = clicked_[QString(top->metaObject()->className()) + top->objectName()];
        QAbstractButton* next = nullptr;
        for (bool last : {false, true}) {
            for (QAbstractButton* b : top->findChildren<QAbstractButton*>()) {
                if (b->window() != top || !b->isVisible() || !b->isEnabled() || closing(b) != last) continue;
                const QString key = b->objectName() + "|" + b->text();
                if (done.contains(key)) continue;
                done.insert(key);
                next = b;
                break;
            }
            if (next) break;
        }
        if (!next) {
            dialog->reject();
            return;
        }
        // Run later, from a timer of its own: a button that opens a box of
        // its own waits there while this answerer goes on answering.
        clicking_.insert(top);
        QTimer::singleShot(0, this, [this, b = QPointer<QAbstractButton>(next), top = QPointer<QWidget>(top)] {
            if (b) b->click();
            clicking_.remove(top.data());
        });
    }

    QTimer timer_;
    QPointer<QWidget> current_;
    QElapsedTimer since_;
    QSet<QWidget*> clicking_;
    std::map<QString, std::set<QString>> clicked_;
};

// A view that a command fills, as the sweep compares it: a short fingerprint
// (cheap on a log of thousands of rows) and whether it holds anything.
struct ViewState {
    QString print;
    bool filled = false;
};

ViewState stateOf(QWidget* v)
{
    ViewState s;
    if (auto* g = qobject_cast<KeoEGridView*>(v)) {
        const TKeoEGrid& grid = g->grid();
        const int rows = grid.RowCount(), cols = grid.ColCount();
        s.print = QString("%1x%2").arg(cols).arg(rows);
        for (int row : {1, 2, rows - 1})
            for (int col = 0; row > 0 && row < rows && col < cols; ++col) {
                const std::string& cell = grid.Cell(col, row);
                s.print += "|" + QString::fromStdString(cell);
                s.filled = s.filled || !cell.empty();
            }
    } else if (auto* l = qobject_cast<QListWidget*>(v)) {
        s.print = QString::number(l->count());
        if (l->count() > 0) s.print += l->item(0)->text() + l->item(l->count() - 1)->text();
        s.filled = l->count() > 0;
    } else if (auto* c = qobject_cast<AnalysisChartView*>(v)) {
        s.print = QString::fromStdString(c->data().title);
        for (const ChartSeries& series : c->data().series) {
            s.print += QString("|%1:%2").arg(QString::fromStdString(series.name)).arg(series.points.size());
            s.filled = s.filled || !series.points.empty();
        }
    } else if (auto* c = qobject_cast<SummaryChartView*>(v)) {
        s.print = c->chart()->title();
        for (QAbstractBarSeries* series : c->allBarSeries())
            for (QBarSet* set : series->barSets()) {
                s.print += "|" + set->label() + ":" + QString::number(set->sum());
                s.filled = s.filled || set->count() > 0;
            }
    }
    return s;
}

// A chart that shows is laid out: a plot, and value axes over a real range.
void expectDrawn(QChartView* v, const QString& after)
{
    if (!v->isVisible()) return;
    QChart* c = v->chart();
    EXPECT_FALSE(c->plotArea().isEmpty()) << v->objectName().toStdString() << " after " << after.toStdString();
    for (QAbstractAxis* a : c->axes())
        if (auto* value = qobject_cast<QValueAxis*>(a); value && value->isVisible())
            EXPECT_TRUE(std::isfinite(value->min()) && std::isfinite(value->max()) && value->min() < value->max())
                << v->objectName().toStdString() << " " << value->min() << ".." << value->max() << " after "
                << after.toStdString();
}

// The event loop runs until nothing more is waiting: posted events, the
// layouts they ask for, deferred deletions.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct Sweep {
    const char* log;
    QSize size; // empty: the window's own default size
};

class SweepTest : public ::testing::TestWithParam<Sweep> {};

TEST_P(SweepTest, EveryCommandTwiceOnARealLog)
{
    const Sweep& sweep = GetParam();
    RealMainWindowWithLogs s;
    TForm2& w = s.w;
    // The desktop stays out of it: what would open a browser, a folder or a
    // file viewer is only recorded; printing goes into a PDF file, and the
    // print preview draws its pages without showing a window.
    struct HooksBack {
        ~HooksBack()
        {
            setShellOpenHook({});
            setPrinterHook({});
            setPreviewHook({});
        }
    } hooksBack;
    QStringList opened;
    setShellOpenHook([&](const QString& what) { opened << what; });
    const QString pdf = s.logs.path() + "/printed.pdf";
    setPrinterHook([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
    });
    setPreviewHook([&](QPrintPreviewDialog& d) {
        QPrinter* p = d.printer();
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        emit d.paintRequested(p);
    });
    Answerer answerer;

    if (!sweep.size.isEmpty()) w.resize(sweep.size);
    const QSize size = w.size();
    const QString log = s.copyLog(sweep.log);
    auto load = [&] {
        w.Open_cabrillo_proc(log);
        QTest::qWait(5);
    };
    load();
    const int qsos = w.state().header.QsoCount;
    ASSERT_GT(qsos, 0);

    // The commands, from the window itself: its actions (menus, pop-ups, tool
    // bar, the keys they carry) and its buttons. A tool button that stands
    // for an action is that action.
    std::vector<QPointer<QObject>> commands;
    std::set<QAction*> actions;
    for (QAction* a : w.findChildren<QAction*>()) {
        QWidget* host = hostOf(a);
        if (!host || host->window() != &w || a->isSeparator() || a->menu()) continue;
        actions.insert(a);
        commands.emplace_back(a);
    }
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
        if (b->window() != &w) continue;
        if (auto* tool = qobject_cast<QToolButton*>(b); tool && actions.contains(tool->defaultAction())) continue;
        commands.emplace_back(b);
    }
    // The grids and lists answer a click and a double click on a row (the
    // callsign's information, a jump to the QSO in the log).
    for (QAbstractItemView* v : w.findChildren<QAbstractItemView*>())
        if (v->window() == &w && (qobject_cast<KeoEGridView*>(v) || qobject_cast<QListWidget*>(v)))
            commands.emplace_back(v);
    ASSERT_GT(commands.size(), 100u);

    std::vector<QWidget*> views;
    for (QWidget* v : w.findChildren<QWidget*>())
        if (v->window() == &w && (qobject_cast<KeoEGridView*>(v) || qobject_cast<QListWidget*>(v) ||
                                  qobject_cast<QChartView*>(v)))
            views.push_back(v);
    auto states = [&] {
        std::vector<ViewState> out;
        for (QWidget* v : views) out.push_back(stateOf(v));
        return out;
    };

    int ran = 0, closedWindow = 0;
    QElapsedTimer clock;
    clock.start();
    for (const QPointer<QObject>& command : commands) {
        std::vector<ViewState> before = states(), first;
        for (int round = 0; round < 2 && command; ++round) {
            auto* action = qobject_cast<QAction*>(command.data());
            auto* button = qobject_cast<QAbstractButton*>(command.data());
            auto* rows = qobject_cast<QAbstractItemView*>(command.data());
            if (!showHost(hostOf(command.data()))) break;
            settle();
            // What the user cannot reach now is not run.
            if (action && !action->isEnabled()) break;
            auto* widget = qobject_cast<QWidget*>(command.data());
            if (widget && (!widget->isVisible() || !widget->isEnabled())) break;
            const QString what = nameOf(command) + (round ? " again" : "");
            SCOPED_TRACE(what.toStdString());
            QElapsedTimer took;
            took.start();
            if (action) {
                action->trigger();
            } else if (button) {
                button->click();
            } else if (rows) {
                const QModelIndex top = rows->model()->index(0, 0);
                if (!top.isValid()) break;
                const QPoint at = rows->visualRect(top).center();
                QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, at);
            }
            settle();
            ++ran;
            // A command that keeps the window from painting for seconds has hung.
            EXPECT_LT(took.elapsed(), 5000);
            ASSERT_EQ(QApplication::activeModalWidget(), nullptr) << "a window stayed open";
            // Exit and Esc close the main window, which ends the program once
            // the last window is gone; here no event loop ends with it: the
            // window is shown again, at its size, and the sweep goes on.
            if (!w.isVisible()) {
                ++closedWindow;
                w.show();
                QTest::qWait(5);
            }
            // Windows of the program's own that a command leaves open (the
            // processing-error list) are closed, as a user would.
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top != &w && top->isVisible() && !qobject_cast<QMenu*>(top)) top->close();
            // A closed log is opened again: the commands after it need one.
            if (w.state().header.QsoCount == 0) load();
            ASSERT_EQ(w.state().header.QsoCount, qsos);
            for (QWidget* v : views)
                if (auto* chart = qobject_cast<QChartView*>(v)) expectDrawn(chart, what);
            const std::vector<ViewState> after = states();
            if (round == 0) {
                first = after;
                continue;
            }
            // What the first run filled is filled again by the second.
            for (size_t i = 0; i < views.size(); ++i)
                if (first[i].filled && first[i].print != before[i].print)
                    EXPECT_TRUE(after[i].filled) << views[i]->objectName().toStdString() << " emptied by " << what.toStdString();
        }
        // The user resizes the window over a chart a command drew (a little
        // smaller, then back); Full screen and the like leave the window at
        // another size: back to the size this sweep is about.
        bool drewChart = false;
        const std::vector<ViewState> now = states();
        for (size_t i = 0; i < views.size(); ++i)
            drewChart = drewChart || (qobject_cast<QChartView*>(views[i]) && now[i].print != before[i].print);
        if (drewChart) {
            w.resize(size - QSize(13, 9));
            settle();
            for (QWidget* v : views)
                if (auto* chart = qobject_cast<QChartView*>(v)) expectDrawn(chart, nameOf(command) + ", then a resize");
        }
        if (w.size() != size) {
            w.showNormal();
            w.resize(size);
            QTest::qWait(5);
        }
    }
    // Esc, pressed anywhere in the window, closes it as Exit does.
    for (int round = 0; round < 2; ++round) {
        showHost(w.log_grid);
        w.log_grid->setFocus();
        QTest::keyClick(w.log_grid, Qt::Key_Escape);
        QTest::qWait(3);
        EXPECT_FALSE(w.isVisible()) << "Esc";
        w.show();
        QTest::qWait(5);
    }
    EXPECT_GT(ran, 200);
    EXPECT_GE(closedWindow, 2) << "Exit, from the menu and from the tool bar";
    std::cout << "[ sweep    ] " << sweep.log << " at " << size.width() << "x" << size.height() << ": " << ran
              << " commands run in " << clock.elapsed() << " ms, " << answerer.seen.size() << " windows answered"
              << std::endl;
}

const Sweep kSweeps[] = {
    {"AA3B_ARRLDXCW2025_SO_n1mm.log", {}},        {"AA3B_ARRLDXCW2025_SO_n1mm.log", {700, 520}},
    {"AA3B_ARRLDXCW2025_SO_n1mm.log", {640, 480}}, {"K9CT_CQWPXSSB2025_M2_n1mm.log", {}},
    {"K9CT_CQWPXSSB2025_M2_n1mm.log", {700, 520}}, {"K9CT_CQWPXSSB2025_M2_n1mm.log", {640, 480}},
    {"AA3B_ARRLDXCW2025_SO_first50.log", {}},     {"AA3B_ARRLDXCW2025_SO_first50.log", {700, 520}},
    {"AA3B_ARRLDXCW2025_SO_first50.log", {640, 480}},
};

INSTANTIATE_TEST_SUITE_P(RealLogs, SweepTest, ::testing::ValuesIn(kSweeps), [](const auto& info) {
    const Sweep& s = info.param;
    std::string name = std::string(s.log).substr(0, std::string(s.log).find('_')) +
                       (std::string(s.log).find("first50") != std::string::npos ? "_small" : "");
    return name + (s.size.isEmpty() ? "_default" : "_" + std::to_string(s.size.width()) + "x" +
                                                      std::to_string(s.size.height()));
});

} // namespace
