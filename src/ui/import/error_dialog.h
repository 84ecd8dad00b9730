#pragma once
// The window that lists the QSOs whose processing failed during a job. It
// shows the shared error list; closing it empties the list and the counter,
// and a double click asks the main window to show that QSO in the log.

#include "main/app_state.h"

#include <QDialog>

class KeoEGridView;

class TERRF : public QDialog {
    Q_OBJECT
public:
    explicit TERRF(AppState& state, QWidget* parent = nullptr);
    ~TERRF() override;

    KeoEGridView* error_keo = nullptr;

    // The list sized to the failures of the job that just ended.
    void prepareForJob();
    // What the end of a job with failures does: the list sized, the window
    // put at the main window's top-left and shown modally.
    int showForJob(QWidget* mainWindow);

signals:
    // The log row (the "Line" of the chosen failure) to show on the Log page.
    void logRowChosen(int row);

public slots:
    void error_keoDblClick();
    void FormClose();

protected:
    void keyPressEvent(QKeyEvent* e) override; // FormKeyPress
    void done(int r) override;

private:
    AppState& state_;
};
