#pragma once
// The "Open Cabrillo" file dialog. Below the file list it shows the contest
// and the callsign of the selected file, so that a user can tell logs apart
// before loading one.

#include <QFileDialog>
#include <QString>
#include <QStringList>

class QLabel;

// Name filters for QFileDialog from the settings' "Name|*.a;*.b|Name|*.c"
// form. Patterns are matched without regard to case; "*.*" means every file.
QStringList cabrilloNameFilters(const QString& filter);

class CabrilloOpenDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit CabrilloOpenDialog(QWidget* parent = nullptr);

    // filter in the settings' form; startFolder may be empty (current folder).
    // The dialog lives for the session: called again, it keeps the file type
    // and the folder the user chose last, unless the settings changed them.
    void setup(const QString& filter, const QString& startFolder);

    QLabel* contestValue() const { return contestValue_; }
    QLabel* callsignValue() const { return callsignValue_; }

public slots:
    // A file name with a "." shows that file's contest and callsign (empty
    // when not found); anything else (a folder) leaves the strip as it is.
    void op1SelectionChange(const QString& path);
    // A new folder empties the file name; the strip keeps its text.
    void op1FolderChange(const QString& folder);

private:
    QLabel* contestValue_ = nullptr;
    QLabel* callsignValue_ = nullptr;
    bool setUp_ = false;
    QString startSetting_; // startFolder as the settings gave it last
};

// Runs parent's Cabrillo open dialog, made at the first call and kept as
// the child "op1"; the chosen file's path, or empty when cancelled.
QString runCabrilloOpenDialog(QWidget* parent, const QString& filter, const QString& startFolder);
