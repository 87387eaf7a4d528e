#include "Harness.h"

#include "Drive.h"
#include "ui/Lamp.h"

#include <QDialog>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

Harness::Harness()
{
    ctx.dialogs = &dialogs;
    ctx.clock = &clock;
    ctx.ProgramDir = QString::fromLocal8Bit(qgetenv("TB_SOURCE_DIR")) + QStringLiteral("/assets");
}

Harness::~Harness()
{
    // Every window the test opened goes with it.
    m_window.reset();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

Interface &Harness::start(const QString &commandLine)
{
    m_window = std::make_unique<Interface>(ctx, commandLine);
    m_window->show();
    return *m_window;
}

QAction *Harness::action(const QString &name) const
{
    if (!m_window)
        return nullptr;
    if (auto *menu = m_window->findChild<QMenu *>(name))
        return menu->menuAction();
    return m_window->findChild<QAction *>(name);
}

namespace {
// An action is reachable only when it and every menu above it are enabled.
bool reachable(const QAction *a)
{
    if (!a->isEnabled())
        return false;
    for (QObject *o : a->associatedObjects()) {
        auto *menu = qobject_cast<QMenu *>(o);
        if (menu && !reachable(menu->menuAction()))
            return false;
    }
    return true;
}
} // namespace

bool Harness::isEnabled(const QString &name) const
{
    if (QAction *a = action(name))
        return reachable(a);
    if (auto *w = find<QWidget>(name))
        return w->isEnabled();
    return false;
}

bool Harness::trigger(const QString &name)
{
    QAction *a = action(name);
    if (!a || !isEnabled(name))
        return false;
    a->trigger();
    return true;
}

bool Harness::lampLit(const QString &name) const
{
    auto *lamp = find<Lamp>(name);
    return lamp && lamp->isLit();
}

bool Harness::logOn(const QString &name, const QString &pin)
{
    Drive::onNextDialog([name, pin](QDialog *d) {
        Drive::type(d, QStringLiteral("Text1"), name);
        Drive::type(d, QStringLiteral("Text2"), pin);
        Drive::click(d, QStringLiteral("Command1"));
        if (d->isVisible())
            d->reject();
    });
    return trigger(QStringLiteral("mnuitmLogOn")) && ctx.session.isLoggedOn();
}
