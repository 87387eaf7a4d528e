// Runs each argument as a shell command, then prints a bill through the real
// dialogs and writes "printed" or "refused". One QtDialogs serves every bill,
// as the program keeps its printer.

#include "ui/QtDialogs.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    for (int i = 1; i < argc; ++i) {
        std::fflush(stdout);
        if (std::system(argv[i]) != 0)
            return 2;
        std::puts(dialogs.printLines({"BUNS & CO", "", "TEA - $2.00   X   1"}, "Tallybird bill #1")
                      ? "printed"
                      : "refused");
    }
}
