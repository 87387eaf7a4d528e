#include "app/Title.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QStringList>

#include <cstdio>
#include <cstring>

namespace {
const char Usage[] =
    "Usage: tallybird [DATAFILE]\n"
    "The till of a small shop counter. DATAFILE (the rest of the command line, blanks\n"
    "and all) is opened at start; without it, File > Open or File > New.\n"
    "On a machine without a display, QT_QPA_PLATFORM=offscreen runs it on an\n"
    "invisible screen. The data tool is tallybird-data; see tallybird(1).\n";
} // namespace

int main(int argc, char *argv[])
{
    // Asked for help, it answers without a window, so without a display too.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(Usage, stdout);
        return 0;
    }
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
