#pragma once
// Menu items made from a table: each gets its caption, its object name and
// the slot of its receiver, and is kept in the receiver's pointer.

#include <QAction>
#include <QMenu>

template <typename R>
struct TMenuItem {
    QAction** item;
    const char* name;
    const char* caption;
    void (R::*slot)();
};

template <typename R, std::size_t N>
void addMenuItems(QMenu* menu, R* receiver, const TMenuItem<R> (&items)[N])
{
    for (const TMenuItem<R>& it : items) {
        *it.item = menu->addAction(it.caption);
        (*it.item)->setObjectName(it.name);
        QObject::connect(*it.item, &QAction::triggered, receiver, it.slot);
    }
}
