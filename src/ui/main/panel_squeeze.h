#pragma once
// Keeps every text of a status bar whole when the bar is narrower than its
// panels' widths: the panels give up the room their texts leave unused, the
// last panels first, and get their owner's widths back when the bar has the
// room again. Texts wider than the whole bar still run past its end.

#include <QObject>

#include <vector>

class TStatusPanels;

class PanelSqueeze : public QObject {
    Q_OBJECT
public:
    // Follows the bar's size and texts from now on; lives as the bar's child.
    explicit PanelSqueeze(TStatusPanels& bar);
    // The squeeze of a bar, if it has one.
    static PanelSqueeze* of(const TStatusPanels& bar);

    // Up to the last panel with a text: the width the panels take at their
    // owner's widths, and the least width that shows their texts whole.
    int wantedUsedWidth();
    int neededUsedWidth() const;

    // Gives the panels their widths for the bar's present width.
    void apply();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // The owner's widths: a width the owner set since the last apply is its
    // new wish.
    void takeOwnerWidths();
    TStatusPanels& bar_;
    std::vector<int> wanted_;
    std::vector<int> set_;
};
