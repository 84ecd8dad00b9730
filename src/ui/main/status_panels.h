#pragma once
// A status bar of fixed-width panels, each with a text, drawn by the bar or by
// its owner (the owner's drawing decides colours and icons).

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
    };
    explicit TStatusPanels(QWidget* parent = nullptr);
    void addPanel(int width, bool centred = false, bool ownerDrawn = false);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    Panel& panel(int i) { return panels_.at(static_cast<size_t>(i)); }
    QString text(int i) const { return panels_.at(static_cast<size_t>(i)).text; }
    void setText(int i, const QString& t);
    QRect panelRect(int i) const;

    std::function<void(QPainter&, int panel, const QRect&)> OnDrawPanel;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<Panel> panels_;
};
