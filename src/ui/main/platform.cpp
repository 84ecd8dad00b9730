#include "main/platform.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>

namespace {
std::function<void(const QString&)> g_msgHook;
std::function<void(const QString&)> g_shellHook;
bool g_shellHookOpens = true;
QPointer<QWidget> g_owner;
} // namespace

void setShowMsgHook(std::function<void(const QString&)> hook) { g_msgHook = std::move(hook); }
void setShellOpenHook(std::function<void(const QString&)> hook, bool opens)
{
    g_shellHook = std::move(hook);
    g_shellHookOpens = opens;
}
void setMessageOwner(QWidget* owner) { g_owner = owner; }

void Show_msg(const QString& text)
{
    if (g_msgHook) {
        g_msgHook(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, "ZEM", text, QMessageBox::Ok, g_owner);
    box.exec();
}

bool shellOpen(const QString& urlOrPath)
{
    if (g_shellHook) {
        g_shellHook(urlOrPath);
        return g_shellHookOpens;
    }
    const bool local = QFileInfo::exists(urlOrPath);
    return QDesktopServices::openUrl(local ? QUrl::fromLocalFile(urlOrPath) : QUrl(urlOrPath));
}

namespace {
void showIconBox(QMessageBox::Icon icon, const QString& text)
{
    if (g_msgHook) {
        g_msgHook(text);
        return;
    }
    QMessageBox box(icon, "ZEM", text, QMessageBox::Ok, g_owner);
    box.exec();
}
} // namespace

void Show_info_msg(const QString& text) { showIconBox(QMessageBox::Information, text); }
void Show_warning_msg(const QString& text) { showIconBox(QMessageBox::Warning, text); }

void shellOpenOrTell(const QString& urlOrPath)
{
    if (!shellOpen(urlOrPath)) Show_msg("Cannot open " + urlOrPath);
}
