#pragma once
// The master editor: callsigns gathered from the current log, the loaded
// master file or a text file into "Imported", merged by ">>" into one sorted
// list without repeats, and saved as a master file or as text.

#include "refdata/master_editor.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

struct AppState;
class TMasterCallDB;
class TStatusPanels;
class QAction;
class QListView;
class QListWidget;
class QMenu;
class QPushButton;
class MasterListModel;

class TMaster_edit : public QDialog {
    Q_OBJECT
public:
    // logCalls runs the distribution by bands and gives its list of all
    // distinct callsigns of the log; programFolder is where master.dta is read.
    TMaster_edit(AppState& state, const TMasterCallDB& master, const QString& programFolder,
                 std::function<std::vector<std::string>()> logCalls, QWidget* parent = nullptr);
    ~TMaster_edit() override;

    MasterCallList MasterList;

    QListWidget* ListBox1 = nullptr; // "Imported"
    QListView* ListView1 = nullptr;  // "Master", a view over MasterList
    TStatusPanels* sb1 = nullptr;
    QPushButton* Button1 = nullptr;  // ">>"
    QAction* Currentlog1 = nullptr;
    QAction* Masterdta1 = nullptr;
    QAction* ext2 = nullptr;
    QAction* Save1 = nullptr;
    QAction* St = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Clear2 = nullptr;
    QMenu* Edit1 = nullptr;

    // Appends callsigns to "Imported" (the 3830 table's command).
    void addImported(const std::vector<std::string>& calls);

    // The file dialogs (OT, SD1, sd2): an empty text when cancelled. Tests
    // replace it.
    enum class FileChoice { OpenText, SaveMaster, SaveText };
    std::function<QString(FileChoice)> FileDialog;
    // The folder each dialog opens in: a master file beside the one the
    // program reads, a text file with the log's other outputs (the program's
    // folder without a log).
    QString startFolder(FileChoice choice) const;

public slots:
    void FormActivate();
    void Currentlog1Click();
    void Masterdta1Click();
    void ext2Click();
    void Save1Click();
    void StClick();
    void Exit1Click();
    void Button1Click();
    void Clear2Click();
    void GotoVarnwebsite1Click();
    void CALLSIGN_COUNT();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void setImported(const std::vector<std::string>& calls);
    // Asks for a file and runs work on it; a failure is shown, not thrown.
    void withChosenFile(FileChoice choice, const std::function<void(const std::string&)>& work);

    AppState& state_;
    const TMasterCallDB& master_;
    QString programFolder_;
    std::function<std::vector<std::string>()> logCalls_;
    MasterListModel* model_ = nullptr;
};
