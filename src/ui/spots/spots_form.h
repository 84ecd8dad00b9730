#pragma once
// The spot window: reads a DX-cluster spot file, lists its spots, counts
// them per spotter and per DX callsign, and finds all spots of a callsign.

#include "main/keoe_grid.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class KeoEGridView;
class QAction;
class QTabWidget;
class TSSF;
class TStatusPanels;

class TSpotsF : public QDialog {
    Q_OBJECT
public:
    explicit TSpotsF(QWidget* parent = nullptr);
    ~TSpotsF() override;

    TKeoEGrid spotsGrid;
    TKeoEGrid spottersGrid;
    TKeoEGrid dxGrid;
    KeoEGridView* SpotsGrid = nullptr;
    KeoEGridView* SpottersGrid = nullptr;
    KeoEGridView* DXGrid = nullptr;
    QTabWidget* pages = nullptr;
    TStatusPanels* ssb = nullptr;
    QAction* Open1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Search1 = nullptr;
    TSSF* SSF = nullptr;
    // Spots of the file last read: the rows of SpotsGrid that the search reads.
    int SpotCount = 0;

    // Seams the tests replace: the open dialog (empty on cancel), the input
    // box (nothing on cancel), and what a selected callsign is shown with.
    std::function<QString()> OpenDialog;
    std::function<std::optional<QString>(const QString& title, const QString& prompt)> InputBox;
    std::function<void(const std::string& call)> ShowCall;

public slots:
    void Open1Click();
    void Exit1Click();
    void Search1Click();
    void SpotsGridClick();
    void SpottersGridClick();
    void DXGridClick();
    void SpottersGridDblClick();
    void DXGridDblClick();
    // Reads the file into the window; a file without spots changes nothing.
    void readSpots(const QString& path);
    void SearchOfSpotsFor(const QString& Call);

    // The spot file's whole path, as its panel's hint shows it.
    const QString& spotPath() const { return spotPath_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void load(const QString& path);
    // The path in the room the counts leave.
    void fitPath();
    QString spotPath_;
    KeoEGridView* addPage(TKeoEGrid& grid, const char* name, const QString& title);
    std::string selectedCall(KeoEGridView* view, int col) const;
    void showCall(const std::string& call);
};
