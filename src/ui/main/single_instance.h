#pragma once
// One running program per user. A second start without a file raises the
// running window and ends; with a file it shrinks the running window out of
// the way and goes on to open the file itself.

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome { First, ExitNow, Continue };
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    // Talks to a running instance, or becomes the one. A marker left by a
    // crashed instance (a socket nobody answers) is removed and taken over.
    Outcome start(bool hasParameter);
    static QString defaultName();

signals:
    void raiseRequested();
    void shrinkRequested();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};
