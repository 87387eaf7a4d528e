// tallybird-data export: the items, customers or cashiers of a datafile as CSV.

#include "ToolOutput.h"

#include "datafile/EntryExport.h"

#include <QSaveFile>

#include <cstdio>

const char *const ExportUsage =
    "  tallybird-data export items|customers|cashiers [--with-pins] PATH [FILE]\n"
    "      Writes the entries of that kind as CSV (RFC 4180, UTF-8) with a\n"
    "      header row to FILE, or to the standard output. Money is a plain\n"
    "      decimal with a dot (1.50, -25.00). A text beginning with =, +, -,\n"
    "      @, a tab or a carriage return gets a ' in front, so that a\n"
    "      spreadsheet does not take it for a formula (and one more ' when it\n"
    "      already begins with ' before such a character); import takes one\n"
    "      off. Cashiers' PINs are left out unless --with-pins is given.\n"
    "      Items:     Name,Number,Price,Sold,Stock,Remaining\n"
    "      Customers: Name,Balance,Notes,Visits,Total Spent\n"
    "      Cashiers:  Name,[PIN,]Amount Sold,Sales Performed,Privileges,\n"
    "                 Milliseconds Logged On\n";

int exportCommand(QStringList args)
{
    if (asksForHelp(args)) {
        out() << "Usage:\n" << ExportUsage;
        return ExitOk;
    }
    QStringList options;
    if (!takeOptions(args, {QStringLiteral("--with-pins")}, options) || args.size() < 2
        || args.size() > 3 || args[1].isEmpty())
        return usageError(ExportUsage);
    EntryExport::Kind kind;
    if (args[0] == QLatin1String("items"))
        kind = EntryExport::Kind::Items;
    else if (args[0] == QLatin1String("customers"))
        kind = EntryExport::Kind::Customers;
    else if (args[0] == QLatin1String("cashiers"))
        kind = EntryExport::Kind::Cashiers;
    else
        return usageError(ExportUsage);
    const bool withPins = options.contains(QLatin1String("--with-pins"));
    if (withPins && kind != EntryExport::Kind::Cashiers)
        return usageError(ExportUsage);

    const QString path = args[1];
    const Result<QByteArray> csv = EntryExport::run(path, kind, withPins);
    if (!csv) {
        err() << "tallybird-data: cannot export from " << path << ": " << errorText(csv.error())
              << "\n";
        return ExitFileError;
    }
    if (args.size() == 2) {
        out().flush();
        if (std::fwrite(csv->constData(), 1, size_t(csv->size()), stdout) != size_t(csv->size())
            || std::fflush(stdout) != 0) {
            err() << "tallybird-data: cannot write the standard output\n";
            return ExitFileError;
        }
        return ExitOk;
    }
    // Written beside FILE and renamed over it: an earlier export is never left half replaced.
    const QString target = args[2];
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(*csv) != csv->size() || !file.commit()) {
        err() << "tallybird-data: cannot write " << target << ": " << file.errorString() << "\n";
        return ExitFileError;
    }
    return ExitOk;
}
