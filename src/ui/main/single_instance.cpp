#include "main/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

QString SingleInstance::defaultName()
{
    // Tests run their own instances side by side under a name of their own.
    const QByteArray forced = qgetenv("ZEM_INSTANCE_NAME");
    if (!forced.isEmpty()) return QString::fromLocal8Bit(forced);
    return QString("ZEM Log Analysis-%1").arg(getuid());
}

SingleInstance::Outcome SingleInstance::start(bool hasParameter)
{
    {
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(500)) {
            probe.write(hasParameter ? "shrink\n" : "raise\n");
            probe.waitForBytesWritten(1000);
            probe.waitForReadyRead(1000); // the running one answers once it obeyed
            probe.disconnectFromServer();
            return hasParameter ? Outcome::Continue : Outcome::ExitNow;
        }
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return Outcome::First; // runs alone, unreachable: no worse than before
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
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
    return Outcome::First;
}
