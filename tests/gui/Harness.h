#pragma once

#include "ManualClock.h"
#include "ScriptedDialogs.h"
#include "ui/AppContext.h"
#include "app/Interface.h"

#include <QString>

#include <memory>

class QAction;
class QWidget;

// The program as a test drives it: the real main window on the scripted
// dialogs and the manual clock.
class Harness
{
public:
    Harness();
    ~Harness();

    // Starts the main window as the program does, with this command line.
    Interface &start(const QString &commandLine = QString());
    Interface &window() { return *m_window; }

    template<typename T>
    T *find(const QString &name) const
    {
        return m_window ? m_window->findChild<T *>(name) : nullptr;
    }
    QAction *action(const QString &name) const;
    // Triggers a menu command the way a click does; fails the test if the
    // command or one of its menus is disabled.
    bool trigger(const QString &name);
    bool isEnabled(const QString &name) const; // action or widget, menus included
    bool lampLit(const QString &name) const;
    // Logs a cashier on through the Log On window; false when refused.
    bool logOn(const QString &name, const QString &pin);

    AppContext ctx;
    ScriptedDialogs dialogs;
    ManualClock clock;

private:
    std::unique_ptr<Interface> m_window;
};
