// tallybird-data export: the items, customers or cashiers of a datafile as CSV.

#include "ToolOutput.h"

#include "datafile/DataFile.h"
#include "datafile/EntryExport.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

const char *const ExportUsage =
    "  tallybird-data export items|customers|cashiers [--with-pins] [--force] PATH [FILE]\n"
    "      Writes the entries of that kind as CSV (RFC 4180, UTF-8) with a\n"
    "      header row to FILE, or to the standard output. An existing FILE is\n"
    "      only replaced with --force, and never when it is a datafile. Money\n"
    "      is a plain decimal with a dot (1.50, -25.00). A text beginning with\n"
    "      =, +, -, @, a tab or a carriage return gets a ' in front, so that a\n"
    "      spreadsheet does not take it for a formula (and one more ' when it\n"
    "      already begins with ' before such a character); import takes one\n"
    "      off. Cashiers' PINs are left out unless --with-pins is given.\n"
    "      Items:     Name,Number,Price,Sold,Stock,Remaining\n"
    "      Customers: Name,Balance,Notes,Visits,Total Spent\n"
    "      Cashiers:  Name,[PIN,]Amount Sold,Sales Performed,Privileges,\n"
    "                 Milliseconds Logged On\n";

namespace {

// An export never replaces a datafile, the one it reads included, and
// replaces any other file only when asked to.
int checkTarget(const QString &target, bool force)
{
    const QFileInfo info(target);
    if (!info.exists() && !info.isSymLink())
        return ExitOk;
    DataFile file(target);
    const FileError opened = file.open(DataFile::Mode::Read);
    file.close();
    if (opened == FileError::None || opened == FileError::Locked) {
        err() << "tallybird-data: " << target << " is a datafile; an export never replaces one\n";
        return ExitFileError;
    }
    if (!force) {
        err() << "tallybird-data: " << target
              << " already exists; not replaced (use --force to replace it)\n";
        return ExitFileError;
    }
    return ExitOk;
}

} // namespace

int exportCommand(QStringList args)
{
    if (asksForHelp(args)) {
        out() << "Usage:\n" << ExportUsage;
        return ExitOk;
    }
    QStringList options;
    if (!takeOptions(args, {QStringLiteral("--with-pins"), QStringLiteral("--force")}, options)
        || args.size() < 2 || args.size() > 3 || args[1].isEmpty())
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
    if (args.size() == 3) {
        if (const int refused = checkTarget(args[2], options.contains(QLatin1String("--force"))))
            return refused;
    }
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
