// The ADIF callsign prompt comes filled with the file's name: the whole name
// stands in its edit, none of its first letters scrolled away.
#include "import/adif_dialogs.h"
#include "test_support.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

struct Seen {
    int scrolledBy = -1; // pixels of the text's start out of sight
    int dialogWidth = 0;
};

// The prompt leaves its cursor after the last letter, and the edit scrolls
// its text as far as the cursor needs: a cursor at the end that stands short
// of where the text's start (the cursor at its start) plus the text's width
// puts it means the first letters went out of sight.
Seen promptFor(const QString& prefill)
{
    Seen seen;
    answerModal<QInputDialog>([&](QInputDialog* d) {
        QCoreApplication::processEvents();
        if (auto* edit = d->findChild<QLineEdit*>()) {
            auto cursorX = [&] {
                d->grab(); // the edit works out its scrolling as it paints
                return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            };
            edit->setCursorPosition(0);
            const int start = cursorX();
            edit->end(false);
            seen.scrolledBy = start + edit->fontMetrics().horizontalAdvance(edit->text()) - cursorX();
        }
        seen.dialogWidth = d->frameGeometry().width();
        d->reject();
    });
    QString answer;
    askAdifCallsign(nullptr, prefill, answer);
    return seen;
}

} // namespace

TEST(AdifCallsignPrompt, EditIsAsWideAsTheFileNameWithinTheScreen)
{
    for (const QString& name : {QString("SM5XX"), QString("SM5XX_CQ-WW-DX-CW_2024_multi-two_all_bands_final")}) {
        const Seen seen = promptFor(name);
        EXPECT_LE(seen.scrolledBy, 0) << name.toStdString();
        EXPECT_LE(seen.dialogWidth, QGuiApplication::primaryScreen()->availableGeometry().width()) << name.toStdString();
    }
    // A name wider than the screen: the prompt stays on the screen.
    const Seen huge = promptFor(QString(300, 'W'));
    EXPECT_LE(huge.dialogWidth, QGuiApplication::primaryScreen()->availableGeometry().width());
}
