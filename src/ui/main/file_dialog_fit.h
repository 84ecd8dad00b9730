#pragma once
// Qt's own file dialog (used where the desktop offers none) opens with
// column widths made for a small font: the places list, the sizes, types and
// dates of the files come out cut. Every file dialog of the program is
// fitted to its texts when it is shown.

class QFileDialog;

// Fits every file dialog of the application from now on (once is enough).
void fitFileDialogsToTheirTexts();

// As the dialog opens: the places list as wide as its names, the file
// list's columns as wide as the texts of the folder's files (read from the
// disk, since the dialog lists them only later), and the dialog wide enough
// for both, as far as its screen allows. Afterwards the columns fit again
// whenever the list changes (another folder or file type), while the dialog
// keeps its size.
void fitFileDialog(QFileDialog& dialog);
