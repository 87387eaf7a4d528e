#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "app/Title.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallybird"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallybird.png")));
    // Lets the desktop pair the windows with the installed menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("example.tallybird.Tallybird"));
    // Money is shown in the user's currency format; a bare C locale has none.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    AppContext ctx;
    QtDialogs dialogs;
    SystemClock clock;
    ctx.dialogs = &dialogs;
    ctx.clock = &clock;

    // The whole argument string names the datafile, so a path with blanks
    // needs no quotes.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    auto *title = new Title(ctx, commandLine);
    title->show();
    return app.exec();
}
