#pragma once

#include "datafile/Privileges.h"

#include <QString>

class Clock;
class Dialogs;
class MainWindow;

// The program-wide state of one run, owned by main() and shared by every window.
struct AppContext {
    QString DataFilePath; // "" while no datafile is open
    QString ProgramDir;   // where the help page and splash picture are, found at start
    QString LogFilePath;  // transaction log, from the log file header record

    int CashierRecord = 0; // record of the logged-on cashier at log on, 0 = nobody
    QString CashierName;   // writes to the cashier on duty find the record by this name
    qint64 LogOnTicks = 0;
    Privileges privileges;

    QString NoteText; // header/footer text being edited

    MainWindow *mainWindow = nullptr;
    Dialogs *dialogs = nullptr;
    Clock *clock = nullptr;

    bool isLoggedOn() const { return CashierRecord != 0; }
};
