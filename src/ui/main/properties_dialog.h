#pragma once
// The settings dialog: folders, own station, program options, file
// associations. Created once; its controls hold the settings for the whole
// run and the rest of the program reads them there.

#include "main/app_state.h"
#include "main/settings.h"
#include "refdata/cty_search.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class TProperties : public QDialog {
    Q_OBJECT
public:
    TProperties(TCty_search& cty, AppState& state, QWidget* parent = nullptr);

    QTabWidget* pages = nullptr;
    // "Directories"
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* tre = nullptr;
    QPushButton* b1 = nullptr;
    QPushButton* b2 = nullptr;
    QPushButton* b3 = nullptr;
    QPushButton* b4 = nullptr;
    // "My station"
    QLineEdit* Edit1 = nullptr; // callsign
    QLineEdit* Edit2 = nullptr; // QTH-locator
    QLineEdit* Edit3 = nullptr; // difference with UTC
    QLabel* Label3 = nullptr;   // country
    QLabel* Label4 = nullptr;   // longitude
    QLabel* Label5 = nullptr;   // latitude
    // "Programm"
    QCheckBox* s = nullptr;
    QCheckBox* oc = nullptr;
    QCheckBox* cb1 = nullptr;
    QComboBox* c1 = nullptr;
    // "Extensions"
    QCheckBox* c2 = nullptr; // cbr
    QCheckBox* c3 = nullptr; // log
    QCheckBox* c4 = nullptr; // adi
    QCheckBox* c5 = nullptr; // dat
    QRadioButton* r1 = nullptr;
    QRadioButton* r2 = nullptr;

    // What the main window's open dialogs use: the Cabrillo dialog's filter
    // (op1) and the start folders of the Cabrillo (op1), results (op2), 3830
    // (op3) and TR Log (opt) dialogs.
    QString op1Filter;
    QString op1InitialDir;
    QString op2InitialDir;
    QString op3InitialDir;
    QString optInitialDir;
    // A "description|patterns|..." filter as QFileDialog name filters ("*.*" means any file).
    static QStringList nameFilters(const QString& pipeFilter);

    // Puts the dialog's settings into its controls in start-up order, so the
    // change handlers work out the home position and the own call's country,
    // and the stored UTC difference then replaces the country's.
    void loadSettings(const TSettings& st);
    // Reads the dialog's settings back; the other fields stay as they are.
    void saveSettings(TSettings& st) const;

    // Seams: the folder chooser (the platform's dialog unless replaced), the
    // program path registered for the file types and the data folder that
    // receives the associations.
    std::function<QString(QWidget* parent, const QString& startFolder)> chooseFolder;
    QString exePath;
    std::filesystem::path dataHome;

public slots:
    void r1Click();
    void r2Click();
    void b1Click();
    void b2Click();
    void b3Click();
    void b4Click();
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void FormClose();

public:
    void done(int r) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void FormKeyPress(int key);
    void chooseInto(QLineEdit* edit, QString& startFolder, const QString& openAt);

    TCty_search& cty_;
    AppState& state_;
};
