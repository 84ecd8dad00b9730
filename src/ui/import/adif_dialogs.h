#pragma once
// The dialogs of ADIF reading and writing: the open dialog, the callsign
// prompt and the export's save dialog.

#include <QString>

class QWidget;

// "ADIF  (*.adi)" / "Any file(*.*)"; the chosen file, or empty when cancelled.
QString runAdifOpenDialog(QWidget* parent);

// Input box "ADIF log", prompt "Callsign:", pre-filled. False on Cancel.
bool askAdifCallsign(QWidget* parent, const QString& prefill, QString& answer);

// Save dialog "Export to ADIF" in the current folder, its file name preset.
// The chosen name as typed, or empty when cancelled.
QString runAdifSaveDialog(QWidget* parent, const QString& preset);
