#pragma once
// One running program per user and display. A second start without a file
// raises the running window and ends; with a file it shrinks the running
// window out of the way and goes on to open the file itself. Every running
// instance can answer: one listens, the others keep a line to it and the
// first of them to notice that it is gone takes its place.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome { First, ExitNow, Continue };
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;
    // Talks to a running instance, or becomes the one. A marker left by a
    // crashed instance (a socket nobody answers) is removed and taken over.
    Outcome start(bool hasParameter);
    // True while this instance is the one that answers later starts.
    bool isListening() const;

    // The name for the user and the display the program shows on.
    static QString defaultName();
    // The name for a user id and a display ("" when there is none); a
    // display may be a path (Wayland), which a name must not hold.
    static QString instanceName(unsigned uid, const QString& display);

signals:
    void raiseRequested();
    void shrinkRequested();

private:
    // Listens under the name, or keeps a line to whoever does now.
    void takeOver();
    bool listen();
    bool keepLineTo();
    QString name_;
    QLocalServer* server_ = nullptr;
    QLocalSocket* line_ = nullptr;
    int takeOverTries_ = 0;
};
