#pragma once

#include "gui/Drive.h"
#include "gui/World.h"

#include "datafile/RecordStore.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

// Steps of the browser window tests.
namespace BrowserDrive {

// Opens a window with the menu command, runs `step` in it and closes it.
// False when the command was refused before a window opened.
inline bool inWindow(World &world, const QString &command, std::function<void(QDialog *)> step)
{
    bool opened = false;
    Drive::onNextDialog([&](QDialog *d) {
        opened = true;
        step(d);
        d->close();
    });
    if (!world.h.trigger(command))
        return false;
    if (!opened)
        // The command ended without a window: the wait for one must not act
        // on a later window.
        Drive::cancelDialogWaits();
    return opened;
}

// A key pressed in the box that has the focus (or the first box).
inline void press(QDialog *d, Qt::Key key)
{
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != d)
        target = d->findChild<QLineEdit *>();
    QTest::keyClick(target, key);
}

inline DataRecord read(const QString &path, int n)
{
    return RecordStore(path).readRecord(n).valueOr(DataRecord());
}

// Save (F7), Delete (F8) and the Delete menu command, each refused alike
// for want of the save privilege: true when three same boxes were shown.
inline bool changesRefused(QDialog *d, const ScriptedDialogs &dialogs)
{
    press(d, Qt::Key_F7);
    press(d, Qt::Key_F8);
    d->findChild<QAction *>("mnuDelete")->trigger();
    const QList<ScriptedDialogs::Box> shown = dialogs.messages();
    return shown.size() == 3 && std::all_of(shown.begin(), shown.end(), [&](const auto &box) {
               return box.text == shown.last().text;
           });
}

} // namespace BrowserDrive
