#pragma once
// Qt's own file dialog (used where the desktop offers none) opens with
// column widths made for a small font: the places list, the sizes, types and
// dates of the files come out cut. Every file dialog of the program is
// fitted to its texts when it is shown.

class QFileDialog;

// Fits every file dialog of the application from now on (once is enough).
void fitFileDialogsToTheirTexts();

// The places list as wide as its names, the file list's columns as wide as
// their texts once the folder is read, and the dialog wide enough for both
// (as far as its screen allows).
void fitFileDialog(QFileDialog& dialog);
