#pragma once
// The window that searches a folder tree for Cabrillo logs and opens one of
// them in the main window on a double click.

#include "import/cabrillo_finder.h"
#include "main/keoe_grid.h"

#include <QDialog>

#include <functional>

class KeoEGridView;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class Tfind_cabrillo : public QDialog {
    Q_OBJECT
public:
    // logsFolder: the folder shown when the window opens; openLog: what a
    // double click does with the chosen file.
    Tfind_cabrillo(std::function<QString()> logsFolder, std::function<void(const QString&)> openLog,
                   QWidget* parent = nullptr);

    QLineEdit* Edit2 = nullptr;
    QPushButton* Button2 = nullptr;
    QComboBox* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label5 = nullptr;
    KeoEGridView* g = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QMenu* sortMenu = nullptr;
    TKeoEGrid found{6, 2, 0, 1};

    // Folder chooser; tests replace it.
    std::function<QString(const QString& caption)> Select_directory;

public slots:
    void FormActivate();
    void Button2Click();
    void Button1Click();
    void Button3Click();
    void Button4Click();
    void gDblClick();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override; // gMouseMove

private:
    void sortBy(int col, int kind);
    std::function<QString()> logsFolder_;
    std::function<void(const QString&)> openLog_;
};
