#pragma once
// The About box: product name and version, the credits and the program's
// links, each opened by the desktop when clicked.

#include <QDialog>

class QLabel;

class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    QLabel* Version = nullptr;

    // The links in the order they are shown: caption, text, address.
    struct Link {
        const char* caption;
        const char* text;
        QString address;
    };
    static QList<Link> links();

private:
    void FormCreate();
};
