#pragma once

#include "datafile/DataCheck.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// What every command of tallybird-data shares: its output streams and its
// exit statuses.
enum ExitCode {
    ExitOk = 0,
    ExitFileError = 1, // a file cannot be read or written, or the input is refused
    ExitUsage = 2,     // wrong arguments
    ExitFaults = 3,    // dump: records that do not decode; check and backup: faults found
};

QTextStream &out();
QTextStream &err();

// Prints a command's usage on the error output and gives ExitUsage.
int usageError(const char *usage);
// True when the arguments ask for the command's help.
bool asksForHelp(const QStringList &args);
// Takes every "--name" option out of `args`; false when one is not in `known`.
bool takeOptions(QStringList &args, const QStringList &known, QStringList &given);

// Prints what check found, one line each.
void printFindings(const QList<DataCheck::Finding> &findings);

// The commands after the first argument; each takes the rest of the arguments.
int checkCommand(QStringList args);
int exportCommand(QStringList args);
int importCommand(QStringList args);
int backupCommand(QStringList args);

extern const char *const CheckUsage;
extern const char *const ExportUsage;
extern const char *const ImportUsage;
extern const char *const BackupUsage;
