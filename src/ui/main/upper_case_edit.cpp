#include "main/upper_case_edit.h"

#include <QLineEdit>

void makeUpperCase(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
        if (t == t.toUpper()) return;
        const int pos = edit->cursorPosition();
        edit->setText(t.toUpper());
        edit->setCursorPosition(pos);
    });
}
