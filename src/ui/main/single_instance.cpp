#include "main/single_instance.h"

#include <QDir>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#include <unistd.h>

namespace {

// Starts and take-overs look and then listen: two at once must not both
// find nobody and both listen, the second removing the first one's socket.
QString lockPath(const QString& name)
{
    return (name.startsWith('/') ? name : QDir::tempPath() + '/' + name) + ".lock";
}

constexpr int kLockWaitMs = 2000;
constexpr int kTakeOverRetries = 10;
constexpr int kTakeOverRetryMs = 300;

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance()
{
    // The line goes quietly: its end is not a reason to take over any more.
    if (line_) {
        QObject::disconnect(line_, nullptr, this, nullptr);
        delete line_;
    }
    delete server_; // closes it and removes its socket before the process ends
}

QString SingleInstance::instanceName(unsigned uid, const QString& display)
{
    return QString("ZEM Log Analysis-%1-%2").arg(uid).arg(QString(display).replace('/', '_'));
}

QString SingleInstance::defaultName()
{
    // Tests run their own instances side by side under a name of their own.
    const QByteArray forced = qgetenv("ZEM_INSTANCE_NAME");
    if (!forced.isEmpty()) return QString::fromLocal8Bit(forced);
    const bool wayland = QGuiApplication::platformName().startsWith("wayland");
    QString display = qEnvironmentVariable(wayland ? "WAYLAND_DISPLAY" : "DISPLAY");
    if (wayland && display.isEmpty()) display = "wayland-0";
    return instanceName(getuid(), display);
}

bool SingleInstance::isListening() const { return server_ && server_->isListening(); }

SingleInstance::Outcome SingleInstance::start(bool hasParameter)
{
    QLockFile lock(lockPath(name_));
    lock.tryLock(kLockWaitMs); // without it, no worse than a start one moment later
    {
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(500)) {
            probe.write(hasParameter ? "shrink\n" : "raise\n");
            probe.waitForBytesWritten(1000);
            lock.unlock();
            probe.waitForReadyRead(1000); // the running one answers once it obeyed
            probe.disconnectFromServer();
            if (!hasParameter) return Outcome::ExitNow;
            if (!keepLineTo()) QTimer::singleShot(0, this, &SingleInstance::takeOver);
            return Outcome::Continue;
        }
    }
    listen(); // when even that fails, this one runs alone: no worse than before
    return Outcome::First;
}

bool SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // Nobody answered there: what is left is a crashed instance's socket.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) {
            delete server_;
            server_ = nullptr;
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            // A line kept by another instance sends nothing and just stays.
            connect(s, &QLocalSocket::readyRead, s, [this, s] {
                const QByteArray cmd = s->readAll().trimmed();
                if (cmd == "raise") emit raiseRequested();
                else if (cmd == "shrink") emit shrinkRequested();
                s->write("ok\n");
                s->flush();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}

bool SingleInstance::keepLineTo()
{
    auto* s = new QLocalSocket(this);
    s->connectToServer(name_);
    if (!s->waitForConnected(500)) {
        delete s;
        return false;
    }
    line_ = s;
    takeOverTries_ = 0;
    // The one that answered has ended: one of those left answers from now on.
    connect(s, &QLocalSocket::disconnected, this,
            [this] { QTimer::singleShot(0, this, &SingleInstance::takeOver); });
    return true;
}

void SingleInstance::takeOver()
{
    if (line_) {
        QObject::disconnect(line_, nullptr, this, nullptr);
        line_->deleteLater();
        line_ = nullptr;
    }
    if (isListening()) return;
    QLockFile lock(lockPath(name_));
    lock.tryLock(kLockWaitMs);
    if (keepLineTo()) return; // another one was quicker
    if (listen()) return;
    if (++takeOverTries_ < kTakeOverRetries) QTimer::singleShot(kTakeOverRetryMs, this, &SingleInstance::takeOver);
}
