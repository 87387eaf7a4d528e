#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

// Small steps a test takes in a window, by control name.
namespace Drive {

// Types the text into an entry box as a user would, after clearing it.
void type(QWidget *root, const QString &box, const QString &text);
QString text(QWidget *root, const QString &box);
void click(QWidget *root, const QString &button);
void check(QWidget *root, const QString &box, bool on);
bool isChecked(QWidget *root, const QString &box);
// Gives the box the focus, then moves the focus on with Tab, so the box's
// leave check runs.
void leave(QWidget *root, const QString &box);
void focus(QWidget *root, const QString &box);

// Rings an item at the counter as a cashier does: the item typed key by key
// into the item box, the quantity into its box, then Enter.
void ring(QWidget *mainWindow, const QString &item, const QString &quantity);

// Runs `step` on the next modal dialog once it is shown (modal windows run
// their own event loop, so the test acts from inside it).
void onNextDialog(std::function<void(QDialog *)> step);
// Drops every wait of onNextDialog still pending: the command ended without
// the window a test was ready for.
void cancelDialogWaits();

// Fills the next Cashier Settings window with a cashier holding every
// privilege, saves it and closes the window.
void enterMasterCashier(const QString &name, const QString &pin);

} // namespace Drive
