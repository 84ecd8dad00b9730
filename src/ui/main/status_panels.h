#pragma once
// A status bar of panels, each with a text, drawn by the bar or by its owner
// (the owner's drawing decides colours and icons). A panel's width is a
// minimum: a panel is always as wide as its text needs in the font it is
// drawn in. In a bar too narrow for its panels, the panels give up the room
// their texts leave unused, the last ones first, and get it back when the
// bar widens again. A bar that may draw smaller (setSmallestPointSize) and
// is too narrow even then draws its texts smaller, as little as keeps them
// whole.

#include <QWidget>

#include <functional>
#include <vector>

class TStatusPanels : public QWidget {
    Q_OBJECT
public:
    struct Panel {
        QString text;
        int width = 50;
        bool centred = false;
        bool ownerDrawn = false;
        bool bold = false; // drawn in the bar's font made bold
        int indent = 0;    // the text starts this far in (after an owner's icon)
    };
    // Room a panel's text has inside its frame, each side.
    static constexpr int kTextMargin = 3;

    explicit TStatusPanels(QWidget* parent = nullptr);
    void addPanel(int width, bool centred = false, bool ownerDrawn = false);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    // For changes of width, bold or indent; call update() or setText() after.
    Panel& panel(int i)
    {
        forgetMeasures(); // bold or indent may change what the text needs
        return panels_.at(static_cast<size_t>(i));
    }
    // The least point size the texts may be drawn in when the bar is too
    // narrow for them in its own font; 0 (the default) keeps the font.
    void setSmallestPointSize(qreal points);
    const Panel& panel(int i) const { return panels_.at(static_cast<size_t>(i)); }
    QString text(int i) const { return panels_.at(static_cast<size_t>(i)).text; }
    void setText(int i, const QString& t);
    // The font the panel's text is drawn in.
    QFont panelFont(int i) const;
    // Width the panel's text needs as drawn: indent, text and margins.
    int neededWidth(int i) const;
    // The panel's width as drawn: its own, or what its text needs.
    int panelWidth(int i) const;
    // Sum of the drawn widths of all panels.
    int totalWidth() const;
    // Sum of the panels' widths up to the last panel that has a text, in the
    // bar's own font: the room the texts want, however narrow the bar is now.
    int usedWidth() const;
    // The least of that which still shows every text whole in that font.
    int neededUsedWidth() const;
    // Where the panel is drawn in the bar as wide as it is now.
    QRect panelRect(int i) const;
    // Where the panel's text goes: the panel less its frame and margins.
    QRect textRect(int i) const;

    std::function<void(QPainter&, int panel, const QRect&)> OnDrawPanel;

signals:
    // A text changed, and with it maybe the width it needs.
    void textsChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    // The drawn widths of all panels in the bar's present width.
    std::vector<int> layoutWidths() const;
    // What each text needs (0 for none) in the bar's font at that size.
    std::vector<int> measure(qreal points) const;
    // What each text needs in the bar's own font.
    const std::vector<int>& natural() const;
    // The size the texts are drawn in at the bar's present width, and what
    // each needs in it.
    struct Fit {
        int barWidth = -1;
        qreal points = 0;
        std::vector<int> needs;
    };
    const Fit& fit() const;
    void forgetMeasures();
    std::vector<Panel> panels_;
    qreal smallestPoints_ = 0;
    // Measured once per change of text, face, font or width: the bar is
    // laid out on every paint.
    mutable std::vector<int> natural_;
    mutable Fit fit_;
};
