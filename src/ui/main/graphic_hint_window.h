#pragma once
// The program's hint window: a small icon, then the hint; a hint of two
// lines shows its second line in blue bold.

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QTimer;

class TGraphicHintWindow : public QWidget {
    Q_OBJECT
public:
    explicit TGraphicHintWindow(QWidget* parent = nullptr);
    // True while a hint is being placed.
    bool Activating = false;
    // Shows AHint at rect (screen coordinates), grown to hold the icon and
    // the text, without taking the focus.
    void ActivateHint(QRect rect, const QString& AHint);
    // The rectangle a hint needs with its top-left corner at a point.
    QRect hintRect(const QPoint& at, const QString& hint) const;
    QString caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void Paint(QPainter& p);
    QString caption_;
    QPixmap icon_;
};

// Shows the tool tips of every widget of the program in a TGraphicHintWindow
// (instead of the platform's tool tip) for as long as `owner` lives.
class GraphicHints : public QObject {
    Q_OBJECT
public:
    explicit GraphicHints(QObject* owner);
    ~GraphicHints() override;
    TGraphicHintWindow* window() const { return hint_; }
    // How long the mouse rests on a control before its hint shows.
    static int hintPauseMs();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void hideHint();
    // The pause is over: the control under the mouse is asked for its hint.
    void askForHint();
    TGraphicHintWindow* hint_;
    QTimer* hideTimer_;
    QTimer* pauseTimer_;
    QPointer<QWidget> shownFor_;
    QPointer<QWidget> pausedOver_;
    QPoint pausedAt_;
};
