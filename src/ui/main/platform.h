#pragma once
// Small seams between the program and the desktop: message boxes and opening
// files or web addresses. Tests replace them to see what the program asked for.

#include "main/jobs.h"

#include <QString>

#include <functional>

class QWidget;

// The program's message box: titled "ZEM", one OK button, no icon.
void Show_msg(const QString& text);
// Replaces what Show_msg does (tests record the text instead of blocking).
// The hook takes the information and warning boxes below as well.
void setShowMsgHook(std::function<void(const QString&)> hook);
// The same box with the information icon, and with the warning icon.
void Show_info_msg(const QString& text);
void Show_warning_msg(const QString& text);

// Opens a file, folder, web or mail address with the desktop's program.
// False when the desktop could not open it.
bool shellOpen(const QString& urlOrPath);
// Replaces what shellOpen does; opens is what shellOpen then answers.
void setShellOpenHook(std::function<void(const QString&)> hook, bool opens = true);
// shellOpen, and "Cannot open " + the path when the desktop could not open
// it (no program registered for it): the user is not left waiting for a
// window that never comes.
void shellOpenOrTell(const QString& urlOrPath);

// The main window, owner of message boxes (set once it exists).
void setMessageOwner(QWidget* owner);

// The windows that wait for the user, counted for the job clock: every modal
// window of the application from the moment it shows until it hides. Watching
// starts once, with the main window.
void watchModalWindows();
// Where a job starts, and what the modal windows opened since took of its time.
ModalTime::Mark modalMark();
double modalMsSince(const ModalTime::Mark& mark);
