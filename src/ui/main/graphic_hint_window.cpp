#include "main/graphic_hint_window.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace {

constexpr int kTextLeft = 20;
constexpr int kSecondLineTop = 15;
constexpr int kSecondLineMax = 30;
constexpr int kHideAfterMs = 5000;
// The pause of the mouse over a control before its hint shows.
constexpr int kHintPauseMs = 10;

// The hint's lines: before the first line break, and at most 30 characters after it.
std::pair<QString, QString> hintLines(const QString& hint)
{
    const qsizetype cr = hint.indexOf(QRegularExpression("[\r\n]"));
    if (cr < 0) return {hint, QString()};
    QString second = hint.mid(cr + 1);
    if (second.startsWith('\n') && hint.at(cr) == '\r') second.remove(0, 1);
    return {hint.left(cr), second.left(kSecondLineMax)};
}

QFont boldOf(QFont f)
{
    f.setBold(true);
    return f;
}

} // namespace

TGraphicHintWindow::TGraphicHintWindow(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName("GraphicHintWindow");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    icon_ = style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16);
}

QRect TGraphicHintWindow::hintRect(const QPoint& at, const QString& hint) const
{
    const auto [first, second] = hintLines(hint);
    const QFontMetrics fm(font());
    const QFontMetrics bold(boldOf(font()));
    const int textWidth = std::max(fm.horizontalAdvance(first), second.isNull() ? 0 : bold.horizontalAdvance(second));
    const int height = second.isNull() ? std::max(2 + fm.height(), 2 + icon_.height()) + 4
                                       : std::max(kSecondLineTop, 2 + fm.height()) + bold.height() + 4;
    return QRect(at, QSize(kTextLeft + textWidth + 6, height));
}

void TGraphicHintWindow::ActivateHint(QRect rect, const QString& AHint)
{
    Activating = true;
    caption_ = AHint;
    const QRect need = hintRect(rect.topLeft(), AHint);
    rect.setWidth(std::max(rect.width(), need.width()));
    rect.setHeight(std::max(rect.height(), need.height()));
    // Keep it on the screen it appears on.
    if (const QScreen* s = QGuiApplication::screenAt(rect.topLeft())) {
        const QRect area = s->availableGeometry();
        if (rect.right() > area.right()) rect.moveRight(area.right());
        if (rect.bottom() > area.bottom()) rect.moveBottom(area.bottom());
        if (rect.left() < area.left()) rect.moveLeft(area.left());
        if (rect.top() < area.top()) rect.moveTop(area.top());
    }
    setGeometry(rect);
    show();
    raise();
    update();
    Activating = false;
}

void TGraphicHintWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    p.setPen(palette().color(QPalette::ToolTipText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    Paint(p);
}

void TGraphicHintWindow::Paint(QPainter& p)
{
    p.drawPixmap(2, 2, icon_);
    p.setBackgroundMode(Qt::TransparentMode);
    const auto [first, second] = hintLines(caption_);
    const QFontMetrics fm(font());
    p.setFont(font());
    p.setPen(Qt::black);
    p.drawText(kTextLeft, 2 + fm.ascent(), first);
    if (second.isNull()) return;
    const QFont bold = boldOf(font());
    p.setFont(bold);
    p.setPen(Qt::blue);
    p.drawText(kTextLeft, kSecondLineTop + QFontMetrics(bold).ascent(), second);
}

GraphicHints::GraphicHints(QObject* owner)
    : QObject(owner), hint_(new TGraphicHintWindow), hideTimer_(new QTimer(this)), pauseTimer_(new QTimer(this))
{
    hideTimer_->setSingleShot(true);
    hideTimer_->setInterval(kHideAfterMs);
    connect(hideTimer_, &QTimer::timeout, this, &GraphicHints::hideHint);
    // The platform asks for a tool tip only after its own, much longer pause.
    pauseTimer_->setSingleShot(true);
    pauseTimer_->setInterval(kHintPauseMs);
    connect(pauseTimer_, &QTimer::timeout, this, &GraphicHints::askForHint);
    qApp->installEventFilter(this);
}

int GraphicHints::hintPauseMs() { return kHintPauseMs; }

void GraphicHints::askForHint()
{
    QWidget* w = pausedOver_;
    if (!w || !w->isVisible()) return;
    QHelpEvent help(QEvent::ToolTip, w->mapFromGlobal(pausedAt_), pausedAt_);
    QCoreApplication::sendEvent(w, &help);
}

GraphicHints::~GraphicHints() { delete hint_; }

void GraphicHints::hideHint()
{
    hideTimer_->stop();
    hint_->hide();
    shownFor_ = nullptr;
}

bool GraphicHints::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::ToolTip: {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) break;
        // As the platform's tool tips do: the nearest widget that has one.
        QWidget* owner = w;
        while (owner && owner->toolTip().isEmpty() && !owner->isWindow()) owner = owner->parentWidget();
        if (!owner || owner->toolTip().isEmpty()) {
            hideHint();
            break;
        }
        // Asked again by the platform after its own pause: already there.
        if (owner == shownFor_ && hint_->isVisible() && hint_->caption() == owner->toolTip()) return true;
        const QPoint at = static_cast<QHelpEvent*>(e)->globalPos() + QPoint(0, 20);
        hint_->ActivateHint(QRect(at, QSize()), owner->toolTip());
        shownFor_ = owner;
        hideTimer_->start();
        return true;
    }
    case QEvent::MouseMove: {
        // The first receiver is the control under the mouse; its parents
        // see the same move after it.
        auto* w = qobject_cast<QWidget*>(o);
        const auto* me = static_cast<QMouseEvent*>(e);
        if (!w || me->buttons() != Qt::NoButton) break;
        const QPoint at = me->globalPosition().toPoint();
        if (pauseTimer_->isActive() && at == pausedAt_) break;
        pausedOver_ = w;
        pausedAt_ = at;
        pauseTimer_->start();
        break;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        pauseTimer_->stop();
        if (hint_->isVisible()) hideHint();
        break;
    default:
        break;
    }
    return QObject::eventFilter(o, e);
}
