// tallybird-data import: adds and updates items from a CSV catalogue.

#include "ToolOutput.h"

#include "datafile/ItemImport.h"
#include "datafile/NativePath.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char *const ImportUsage =
    "  tallybird-data import items PATH FILE\n"
    "      Reads items from the CSV file FILE (UTF-8, a header row naming the\n"
    "      columns Name, Number, Price, Stock and optionally Sold and Remaining,\n"
    "      as the item export writes them; a regular file of at most 64 MB). From\n"
    "      a spreadsheet, save it as \"CSV UTF-8\" with commas between the columns,\n"
    "      the Number column formatted as text (or the spreadsheet drops its\n"
    "      leading zeros). A name that export wrote with a ' in front (one\n"
    "      beginning with =, +, -, @) is read without it. Names are stored\n"
    "      trimmed and in capitals, as the till and the item window look them up.\n"
    "      Names and numbers may not hold tabs, line breaks or other control\n"
    "      characters. A row whose Number an item of the datafile has updates\n"
    "      that item's name, price and stock and keeps its Sold; any other row\n"
    "      adds a new item. Every row is checked first, as the item window checks\n"
    "      an item; the first bad row is reported with its line and nothing is\n"
    "      written. Otherwise the datafile is rewritten once: a new file beside\n"
    "      it, renamed over it. Tills on the same datafile wait for it, and it\n"
    "      waits for a sale they are storing.\n";

namespace {

struct Catalogue {
    QByteArray bytes;
    QString problem; // empty when read
};

// Only a regular file of a sensible size is read: a device such as /dev/zero
// would be read until memory runs out, and a fifo is opened without waiting
// for a writer.
Catalogue readCatalogue(const QString &csvPath)
{
    Catalogue c;
    const auto failed = [&c](int error) {
        c.problem = QString::fromLocal8Bit(std::strerror(error));
        return c;
    };
    const int fd =
        ::open(NativePath::encode(csvPath).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return failed(errno);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(EIO);
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return failed(errno);
    const QString tooLarge = QStringLiteral("it is larger than %1 MB, far more than a catalogue "
                                            "of the most items a datafile holds (32,744) needs")
                                 .arg(ItemImport::MaxCsvBytes >> 20);
    if (S_ISDIR(st.st_mode))
        c.problem = QStringLiteral("it is a directory");
    else if (!S_ISREG(st.st_mode))
        c.problem = QStringLiteral("it is not a regular file");
    else if (st.st_size > ItemImport::MaxCsvBytes)
        c.problem = tooLarge;
    if (!c.problem.isEmpty())
        return c;
    // The file may have grown since.
    c.bytes = file.read(ItemImport::MaxCsvBytes + 1);
    if (file.error() != QFileDevice::NoError)
        c.problem = file.errorString();
    else if (c.bytes.size() > ItemImport::MaxCsvBytes)
        c.problem = tooLarge;
    return c;
}

} // namespace

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

    const Catalogue catalogue = readCatalogue(csvPath);
    if (!catalogue.problem.isEmpty()) {
        err() << "tallybird-data: cannot read " << csvPath << ": " << catalogue.problem << "; "
              << path << " was not changed\n";
        return ExitFileError;
    }
    const QByteArray &csv = catalogue.bytes;

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
