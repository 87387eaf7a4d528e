// tallybird-data check: lists what is wrong with a datafile.

#include "ToolOutput.h"

#include "datafile/DataCheck.h"

const char *const CheckUsage =
    "  tallybird-data check PATH\n"
    "      Reads every record of the datafile and prints one line for each fault:\n"
    "      a record that does not decode, an item whose Sold + Remaining is not\n"
    "      its Stock, an item name that the till can never find (lower-case\n"
    "      letters, blanks at either end), an item name or number that more\n"
    "      than one item has, a text with a control character (an escape, a\n"
    "      line break outside the notes), a cashier with an empty name or PIN,\n"
    "      no master cashier (one with every privilege), a header record that\n"
    "      does not hold what it should.\n"
    "      Never writes. Exit status: 0 nothing found, 1 the file cannot be\n"
    "      read, 3 faults found.\n";

void printFindings(const QList<DataCheck::Finding> &findings)
{
    for (const DataCheck::Finding &f : findings) {
        if (f.record > 0)
            out() << "record " << f.record << ": ";
        out() << f.text << "\n";
    }
}

int checkCommand(QStringList args)
{
    if (asksForHelp(args)) {
        out() << "Usage:\n" << CheckUsage;
        return ExitOk;
    }
    if (args.size() != 1 || args[0].isEmpty() || args[0].startsWith(QLatin1Char('-')))
        return usageError(CheckUsage);
    const QString path = args[0];
    const Result<QList<DataCheck::Finding>> findings = DataCheck::run(path);
    if (!findings) {
        err() << "tallybird-data: cannot read " << path << ": " << errorText(findings.error())
              << "\n";
        return ExitFileError;
    }
    printFindings(*findings);
    out().flush();
    if (!findings->isEmpty()) {
        err() << "tallybird-data: " << findings->size() << " fault(s) in " << path << "\n";
        return ExitFaults;
    }
    return ExitOk;
}
