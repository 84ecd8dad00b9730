#include "main/platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {
std::function<void(const QString&)> g_msgHook;
std::function<void(const QString&)> g_shellHook;
bool g_shellHookOpens = true;
QPointer<QWidget> g_owner;

// Qt's box breaks its lines at half the screen's width, inside a name as
// soon as between two: a line the screen has room for stays whole.
void keepLinesWhole(QMessageBox& box)
{
    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    if (!label) return;
    const QFontMetrics fm(label->font());
    int widest = 0;
    for (const QString& line : box.text().split('\n')) widest = std::max(widest, fm.horizontalAdvance(line));
    const QScreen* screen = box.screen();
    // The frame, the margins and the icon need their share of the screen.
    const int room = screen ? screen->availableGeometry().width() - 120 : widest;
    label->setMinimumWidth(std::min(widest + 2, room));
}

ModalTime g_modalTime;

double steadyMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Sees every window of the application show and hide; a modal one is
// counted as waiting for the user.
class ModalWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        const auto type = e->type();
        if ((type == QEvent::Show || type == QEvent::Hide) && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (w->isWindow()) {
                if (type == QEvent::Show && w->isModal()) opened(w);
                else if (type == QEvent::Hide) closed(w);
            }
        }
        return false;
    }

private:
    void opened(QWidget* w)
    {
        g_modalTime.opened(w, steadyMs());
        // A window deleted while up never hides.
        if (!gone_.contains(w))
            gone_.insert(w, connect(w, &QObject::destroyed, this, [this, w] { closed(w); }));
    }
    void closed(QObject* w)
    {
        g_modalTime.closed(w, steadyMs());
        if (const auto c = gone_.take(w)) disconnect(c);
    }
    QHash<QObject*, QMetaObject::Connection> gone_;
};
} // namespace

void watchModalWindows()
{
    static ModalWatcher* watcher = nullptr;
    if (watcher || !qApp) return;
    watcher = new ModalWatcher(qApp);
    qApp->installEventFilter(watcher);
}

ModalTime::Mark modalMark() { return g_modalTime.mark(steadyMs()); }

double modalMsSince(const ModalTime::Mark& mark) { return g_modalTime.spentSince(mark, steadyMs()); }

void setShowMsgHook(std::function<void(const QString&)> hook) { g_msgHook = std::move(hook); }
void setShellOpenHook(std::function<void(const QString&)> hook, bool opens)
{
    g_shellHook = std::move(hook);
    g_shellHookOpens = opens;
}
void setMessageOwner(QWidget* owner) { g_owner = owner; }

namespace {
void showBox(QMessageBox::Icon icon, const QString& text)
{
    if (g_msgHook) {
        g_msgHook(text);
        return;
    }
    QMessageBox box(icon, "ZEM", text, QMessageBox::Ok, g_owner);
    keepLinesWhole(box);
    box.exec();
}
} // namespace

void Show_msg(const QString& text) { showBox(QMessageBox::NoIcon, text); }
void Show_info_msg(const QString& text) { showBox(QMessageBox::Information, text); }
void Show_warning_msg(const QString& text) { showBox(QMessageBox::Warning, text); }

bool shellOpen(const QString& urlOrPath)
{
    if (g_shellHook) {
        g_shellHook(urlOrPath);
        return g_shellHookOpens;
    }
    const bool local = QFileInfo::exists(urlOrPath);
    return QDesktopServices::openUrl(local ? QUrl::fromLocalFile(urlOrPath) : QUrl(urlOrPath));
}

void shellOpenOrTell(const QString& urlOrPath)
{
    if (!shellOpen(urlOrPath)) Show_msg("Cannot open " + urlOrPath);
}
