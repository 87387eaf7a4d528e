#pragma once

#include <QString>
#include <Qt>

#include <functional>

class QDialog;
class QWidget;

// Small steps a test takes in a window, by control name.
namespace Drive {

// Gives `box` the focus as Tab does and returns the widget that the
// keyboard now types into (a combo box's, not its line edit).
QWidget *focused(QWidget *box);
// Types the text, key by key, into whatever has the focus, as a keyboard does
// ("\r" is the Enter key).
void keys(const QString &text);
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Gives an entry box (or an editable combo box) the focus, clears it and
// types the text into it as a user would.
void type(QWidget *root, const QString &box, const QString &text);
// Replaces the box's text with the text pasted from the clipboard (Ctrl+V),
// the way characters that no key types get in.
void paste(QWidget *root, const QString &box, const QString &text);
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
