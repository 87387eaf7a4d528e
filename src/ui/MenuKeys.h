#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;
class QAction;
class QMenuBar;

// The keyboard's way into a window's menus where buttons share their letters:
// Alt and a letter that a button and a menu both underline ("&Cash" and
// "&Cashier") presses the button while it is enabled and opens the menu
// otherwise. F10 opens the first menu, and a letter typed next opens the menu
// it underlines, as after a tap of Alt, whatever the buttons.
class MenuKeys : public QObject
{
public:
    MenuKeys(QMenuBar *bar, QList<QAbstractButton *> buttons);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *menuFor(QChar letter) const;
    QAbstractButton *buttonFor(QChar letter) const;
    bool shortcut(QObject *watched, QEvent *event);
    bool key(QEvent *event);
    void openMenu(QAction *menu);

    QMenuBar *m_bar;
    QList<QAbstractButton *> m_buttons;
    bool m_menuKeys = false; // the next letter names a menu
};
