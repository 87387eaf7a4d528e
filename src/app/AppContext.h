#pragma once

#include "cashier/Privileges.h"

#include <QString>

class Clock;
class Dialogs;
class Interface;

// The program-wide state of one run, owned by main() and shared by every window.
struct AppContext {
    QString DataFilePath; // "" while no datafile is open
    QString ProgramDir;   // where the help page and splash picture are, found at start
    QString LogFilePath;  // transaction log, from header record 2

    int CashierRecord = 0; // record of the logged-on cashier, 0 = nobody
    QString CashierName;
    qint64 LogOnTicks = 0;
    Privileges privileges;

    QString NoteText; // header/footer text being edited

    Interface *mainWindow = nullptr;
    Dialogs *dialogs = nullptr;
    Clock *clock = nullptr;

    bool isLoggedOn() const { return CashierRecord != 0; }
};
