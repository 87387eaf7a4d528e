// tallybird-data import: adds and updates items from a CSV catalogue.

#include "ToolOutput.h"

#include "datafile/ItemImport.h"

#include <QFile>
#include <QFileInfo>

const char *const ImportUsage =
    "  tallybird-data import items PATH FILE\n"
    "      Reads items from the CSV file FILE (UTF-8, a header row naming the\n"
    "      columns Name, Number, Price, Stock and optionally Sold and Remaining,\n"
    "      as the item export writes them). A row whose Number an item of the\n"
    "      datafile has updates that item's name, price and stock and keeps its\n"
    "      Sold; any other row adds a new item. Every row is checked first, as\n"
    "      the item window checks an item; the first bad row is reported with\n"
    "      its line and nothing is written. Otherwise the datafile is rewritten\n"
    "      once: a new file beside it, renamed over it. Tills on the same\n"
    "      datafile wait for it, and it waits for a sale they are storing.\n";

int importCommand(QStringList args)
{
    if (asksForHelp(args)) {
        out() << "Usage:\n" << ImportUsage;
        return ExitOk;
    }
    if (args.size() != 3 || args[0] != QLatin1String("items") || args[1].isEmpty()
        || args[2].isEmpty() || args[1].startsWith(QLatin1Char('-'))
        || args[2].startsWith(QLatin1Char('-')))
        return usageError(ImportUsage);
    const QString path = args[1];
    const QString csvPath = args[2];

    QFile csvFile(csvPath);
    if (QFileInfo(csvPath).isDir() || !csvFile.open(QIODevice::ReadOnly)) {
        err() << "tallybird-data: cannot read " << csvPath << ": "
              << (QFileInfo(csvPath).isDir() ? QStringLiteral("it is a directory")
                                             : csvFile.errorString())
              << "; " << path << " was not changed\n";
        return ExitFileError;
    }
    const QByteArray csv = csvFile.readAll();
    if (csvFile.error() != QFileDevice::NoError) {
        err() << "tallybird-data: cannot read " << csvPath << ": " << csvFile.errorString() << "; "
              << path << " was not changed\n";
        return ExitFileError;
    }
    csvFile.close();

    const ItemImport::Outcome outcome = ItemImport::run(path, csv);
    if (outcome.refused) {
        if (outcome.refused->line > 0)
            err() << "tallybird-data: " << csvPath << ", line " << outcome.refused->line << ": "
                  << outcome.refused->reason << "; " << path << " was not changed\n";
        else
            err() << "tallybird-data: cannot import into " << path << ": "
                  << outcome.refused->reason << "\n";
        return ExitFileError;
    }
    if (outcome.error != FileError::None) {
        err() << "tallybird-data: cannot import into " << path << ": " << errorText(outcome.error)
              << "; " << path << " was not changed\n";
        return ExitFileError;
    }
    out() << "Imported " << csvPath << " into " << path << ": " << outcome.added << " new item(s), "
          << outcome.updated << " updated.\n";
    return ExitOk;
}
