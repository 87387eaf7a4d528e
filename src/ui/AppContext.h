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

    // The cashier on duty: their record, 0 = nobody, and their name and PIN as
    // this program last stored them, which a write checks the record against
    // (a delete moves later records down).
    int CashierRecord = 0;
    QString CashierName;
    QString CashierPin;
    qint64 LogOnTicks = 0;
    Privileges privileges;

    QString NoteText; // header/footer text being edited

    MainWindow *mainWindow = nullptr;
    Dialogs *dialogs = nullptr;
    Clock *clock = nullptr;

    bool isLoggedOn() const { return CashierRecord != 0; }
};
