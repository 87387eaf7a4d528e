#include "MenuKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

#include <algorithm>

namespace {
// The letter a caption underlines: the one after its single "&".
QChar mnemonic(const QString &caption)
{
    for (qsizetype i = caption.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < caption.size();
         i = caption.indexOf(QLatin1Char('&'), i + 2)) {
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toUpper();
    }
    return {};
}

bool isAltLetter(const QKeySequence &keys)
{
    return keys.count() == 1 && keys[0].keyboardModifiers() == Qt::AltModifier;
}
} // namespace

MenuKeys::MenuKeys(QMenuBar *bar, QList<QAbstractButton *> buttons)
    : QObject(bar), m_bar(bar), m_buttons(std::move(buttons))
{
    // Shortcuts go to their owners; keys go to whatever has the focus, which
    // may be a menu's popup as well as the window.
    m_bar->installEventFilter(this);
    for (QAbstractButton *button : m_buttons)
        button->installEventFilter(this);
    qApp->installEventFilter(this);
}

QAction *MenuKeys::menuFor(QChar letter) const
{
    for (QAction *action : m_bar->actions())
        if (action->menu() && action->isVisible() && mnemonic(action->text()) == letter)
            return action;
    return nullptr;
}

QAbstractButton *MenuKeys::buttonFor(QChar letter) const
{
    for (QAbstractButton *button : m_buttons)
        if (mnemonic(button->text()) == letter)
            return button;
    return nullptr;
}

void MenuKeys::openMenu(QAction *menu)
{
    m_menuKeys = false;
    if (menu->isEnabled())
        m_bar->setActiveAction(menu);
}

bool MenuKeys::shortcut(QObject *watched, QEvent *event)
{
    // Qt offers a shared letter to each owner in turn, the first press only
    // moving the focus to the button; one press must do one thing.
    const auto *shortcut = static_cast<QShortcutEvent *>(event);
    if (!shortcut->isAmbiguous() || !isAltLetter(shortcut->key())
        || (watched != m_bar && !m_buttons.contains(watched)))
        return false;
    const QChar letter = QChar(shortcut->key()[0].key()).toUpper();
    QAbstractButton *button = buttonFor(letter);
    if (button && button->isEnabled() && button->isVisible())
        button->animateClick();
    else if (QAction *menu = menuFor(letter))
        openMenu(menu);
    return true;
}

bool MenuKeys::key(QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
        openMenu(m_bar->actions().value(0));
        m_menuKeys = true;
        return true;
    }
    if (!m_menuKeys)
        return false;
    m_menuKeys = false;
    const QString text = key->text();
    QAction *menu = text.size() == 1 ? menuFor(text.at(0).toUpper()) : nullptr;
    if (!menu)
        return false;
    if (QWidget *open = QApplication::activePopupWidget())
        open->close();
    openMenu(menu);
    return true;
}

bool MenuKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        return shortcut(watched, event);
    case QEvent::KeyPress: {
        // Each key once, where it is typed: an open menu, or the focus in
        // this window (a key a widget leaves goes on to its parents).
        QWidget *typedIn = QApplication::activePopupWidget();
        if (!typedIn)
            typedIn = QApplication::focusWidget() ? QApplication::focusWidget()
                                                  : QApplication::activeWindow();
        if (watched != typedIn || !typedIn)
            return false;
        const QList<QAction *> menus = m_bar->actions();
        const auto isOurs = [typedIn](const QAction *a) { return a->menu() == typedIn; };
        if (typedIn->window() != m_bar->window()
            && std::none_of(menus.cbegin(), menus.cend(), isOurs))
            return false;
        return key(event);
    }
    default:
        return false;
    }
}
