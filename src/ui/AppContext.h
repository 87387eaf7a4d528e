#pragma once

#include "Session.h"

#include <QString>

class Clock;
class Dialogs;
class MainWindowAccess;

// The program-wide state of one run, owned by main() and shared by every window.
struct AppContext {
    QString DataFilePath; // "" while no datafile is open
    QString ProgramDir;   // where the help page and splash picture are, found at start
    QString LogFilePath;  // transaction log, from the log file header record

    Session session; // the cashier on duty

    QString NoteText; // header/footer text being edited

    MainWindowAccess *mainWindow = nullptr;
    Dialogs *dialogs = nullptr;
    Clock *clock = nullptr;
};
