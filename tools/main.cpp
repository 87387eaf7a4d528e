// tallybird-data: the datafile tool. The demo datafile and the dump are here;
// the other commands have a file each.

#include "ToolOutput.h"

#include "cashier/CashierTime.h"
#include "datafile/CashierEntry.h"
#include "datafile/Currency.h"
#include "datafile/CurrencySlot.h"
#include "datafile/CustomerEntry.h"
#include "datafile/DataFile.h"
#include "datafile/DataRecord.h"
#include "datafile/FieldValue.h"
#include "datafile/FileError.h"
#include "datafile/HeaderRecords.h"
#include "datafile/ItemEntry.h"
#include "datafile/MoneyText.h"
#include "datafile/NativePath.h"
#include "datafile/OleDate.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"
#include "datafile/StoredText.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace {

const char *const DemoUsage =
    "  tallybird-data demo [--force] PATH\n"
    "      Writes a demo datafile with cashiers, items, customers, a tax rate\n"
    "      and a foreign currency. An existing file is only replaced with\n"
    "      --force.\n";
const char *const DumpUsage =
    "  tallybird-data dump PATH\n"
    "      Prints every record of a datafile, one per line. A partial record\n"
    "      at the end of the file is ignored, as the program ignores it, and\n"
    "      said so on the error output.\n";

// Every command; the later ones bring their text from their own files.
QString fullUsage()
{
    return QStringLiteral("Usage:\n") + QString::fromUtf8(DemoUsage) + QString::fromUtf8(DumpUsage)
           + QString::fromUtf8(CheckUsage) + QString::fromUtf8(ExportUsage)
           + QString::fromUtf8(ImportUsage) + QString::fromUtf8(BackupUsage)
           + QStringLiteral("\nEach command shows its own help with --help.\n"
                            "Exit status: 0 done, 1 a file cannot be read or written or the\n"
                            "input is refused, 2 wrong arguments, 3 dump: some records could\n"
                            "not be decoded; check and backup: faults found.\n");
}

// ---------------------------------------------------------------------------
// The demo datafile

// The check digit that completes a 12-digit EAN-13 body: weights 1 and 3
// alternate from the left.
int ean13CheckDigit(const QString &body)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += body.at(i).digitValue() * (i % 2 == 0 ? 1 : 3);
    return (10 - sum % 10) % 10;
}

QString ean13(const QString &body)
{
    return body + QString::number(ean13CheckDigit(body));
}

struct DemoItem {
    const char *name;
    const char *eanBody; // 12 digits; the check digit is computed
    qint64 cents;
    int stock;
};

// A small shop's shelves. Item numbers are EAN-13 barcodes of a few made-up
// suppliers.
constexpr std::array<DemoItem, 37> DemoItems{{
    {"MILK 1L", "501234500011", 119, 48},
    {"MILK 2L", "501234500028", 209, 30},
    {"BREAD WHITE 800G", "501234500103", 145, 24},
    {"BREAD WHOLEMEAL 800G", "501234500110", 165, 18},
    {"BUTTER 250G", "501234500202", 229, 20},
    {"EGGS FREE RANGE 6", "501234500301", 249, 36},
    {"CHEDDAR 400G", "501234500400", 389, 15},
    {"YOGURT NATURAL 500G", "501234500509", 125, 22},
    {"ORANGE JUICE 1L", "400638100017", 179, 26},
    {"APPLES 1KG", "200000100015", 210, 40},
    {"BANANAS 1KG", "200000100022", 99, 45},
    {"POTATOES 2.5KG", "200000100039", 189, 25},
    {"ONIONS 1KG", "200000100046", 95, 30},
    {"TOMATOES 500G", "200000100053", 135, 20},
    {"CARROTS 1KG", "200000100060", 79, 30},
    {"RICE LONG GRAIN 1KG", "871234500014", 159, 28},
    {"SPAGHETTI 500G", "800123400015", 89, 40},
    {"FLOUR PLAIN 1.5KG", "501234501018", 115, 16},
    {"SUGAR WHITE 1KG", "501234501025", 99, 24},
    {"COFFEE GROUND 250G", "871234500212", 349, 18},
    {"TEA BAGS 80", "501234501117", 269, 20},
    {"CORNFLAKES 500G", "501234501209", 229, 14},
    {"BAKED BEANS 415G", "501234501308", 75, 60},
    {"CHOPPED TOMATOES 400G", "800123400107", 65, 48},
    {"TUNA CHUNKS 160G", "871234500311", 139, 36},
    {"OLIVE OIL 500ML", "800123400206", 459, 12},
    {"CHOCOLATE BAR 100G", "400638100208", 129, 50},
    {"CRISPS SALTED 6PK", "501234501407", 189, 25},
    {"COLA 2L", "500011200013", 199, 30},
    {"MINERAL WATER 1.5L", "400638100307", 69, 48},
    {"DISH SOAP 500ML", "501234502008", 149, 15},
    {"TOILET ROLL 9PK", "501234502107", 499, 12},
    {"TOOTHPASTE 75ML", "871234500410", 199, 20},
    {"SHAMPOO 250ML", "871234500519", 299, 12},
    {"BATTERIES AA 4PK", "400638100406", 399, 20},
    {"NEWSPAPER", "977123456700", 150, 25},
    {"MATCHES 10PK", "501234502206", 99, 30},
}};

struct DemoCustomer {
    const char *name;
    qint64 balanceCents;
    const char *notes;
};

constexpr std::array<DemoCustomer, 2> DemoCustomers{{
    {"JONES FAMILY", 0, "Settles the account on the first of each month."},
    {"RIVERSIDE CAFE", 2500, "Paid 25.00 in advance.\r\nDeliveries on Tuesdays."},
}};

const QString DemoTaxRate = QStringLiteral("8.25");

FieldValue text(const QString &s)
{
    return FieldValue::fromText(s);
}

Currency money(qint64 cents)
{
    return Currency::fromRaw(cents * (Currency::Scale / 100));
}

Privileges privilegesOf(std::initializer_list<Privilege> granted)
{
    Privileges flags;
    for (Privilege p : granted)
        flags.set(p, 1);
    return flags;
}

std::vector<DataRecord> demoEntries()
{
    std::vector<DataRecord> entries;
    entries.push_back(
        CashierEntry::make(QStringLiteral("MANAGER"), QStringLiteral("1234"), Privileges::master())
            .record());
    entries.push_back(
        CashierEntry::make(
            QStringLiteral("SAM"), QStringLiteral("4321"),
            privilegesOf({Privilege::ItemBrowse, Privilege::CreditBrowse, Privilege::CreditModify,
                          Privilege::PlaceDiscount, Privilege::ChargeCurrency}))
            .record());
    for (const DemoItem &item : DemoItems)
        entries.push_back(ItemEntry::make(QString::fromLatin1(item.name),
                                          ean13(QString::fromLatin1(item.eanBody)),
                                          money(item.cents), item.stock)
                              .record());
    for (const DemoCustomer &c : DemoCustomers)
        entries.push_back(CustomerEntry::make(QString::fromLatin1(c.name), money(c.balanceCents),
                                              QString::fromLatin1(c.notes))
                              .record());
    return entries;
}

int writeDemo(const QString &path, bool force)
{
    const QFileInfo info(path);
    if (info.exists() && !force) {
        err() << "tallybird-data: " << path
              << " already exists; not replaced (use --force to replace it)\n";
        return ExitFileError;
    }
    if (info.isDir()) {
        err() << "tallybird-data: cannot write " << path << ": it is a directory\n";
        return ExitFileError;
    }

    const RecordStore store(path);
    if (FileError e = store.createNew(QDate::currentDate()); e != FileError::None) {
        err() << "tallybird-data: cannot write " << path << ": " << errorText(e) << "\n";
        return ExitFileError;
    }

    DataFile file(path);
    FileError e = file.open(DataFile::Mode::ReadWrite);
    auto fail = [&](int record) {
        err() << "tallybird-data: cannot write " << path;
        if (record > 0)
            err() << " (record " << record << ")";
        err() << ": " << errorText(e) << "\n";
        return ExitFileError;
    };
    if (e != FileError::None)
        return fail(0);

    // One tax rate, as the tax window stores it: the rate as typed, and
    // record 20 saying that taxes apply.
    // Changes header record n in place.
    const auto change = [&](int n, const std::function<void(DataRecord &)> &edit) {
        Result<DataRecord> rec = file.read(n);
        e = rec.error();
        if (rec) {
            edit(*rec);
            e = file.write(n, *rec);
        }
        return e == FileError::None;
    };
    if (!change(HeaderRecord::TaxRates, [](DataRecord &rec) {
            rec.Price = text(DemoTaxRate);
            rec.Number = text(QString());
        }))
        return fail(HeaderRecord::TaxRates);
    if (!change(HeaderRecord::NoTax, [](DataRecord &rec) {
            rec.Name = text(SharedMarker);
            rec.Number = FieldValue::fromNumber(0);
            rec.Price = text(DemoTaxRate);
        }))
        return fail(HeaderRecord::NoTax);

    // A footer never set prints as 0 at the end of every bill.
    if (!change(HeaderRecord::BillNotes, [](DataRecord &rec) { rec.Price = text(QString()); }))
        return fail(HeaderRecord::BillNotes);

    // One foreign currency in the first slot, other than the shop's own.
    const bool euroShop =
        MoneyText::locale().currencySymbol(QLocale::CurrencyIsoCode) == QLatin1String("EUR");
    if (!change(HeaderRecord::FirstCurrencySlot, [euroShop](DataRecord &rec) {
            CurrencySlot foreign(rec);
            foreign.setName(euroShop ? QStringLiteral("US DOLLAR") : QStringLiteral("EURO"));
            // Per native unit: 1.09 dollars to the euro, 0.92 euros to the dollar.
            foreign.setValue(Currency::fromRaw(euroShop ? 10900 : 9200));
            foreign.setTransactions(0);
            foreign.setReceived(Currency());
            foreign.setSymbol(euroShop ? QStringLiteral("$") : QStringLiteral("\u20ac"));
            rec = foreign.record();
        }))
        return fail(HeaderRecord::FirstCurrencySlot);

    int n = FirstEntryRecord;
    for (const DataRecord &entry : demoEntries()) {
        if ((e = file.write(n, entry)) != FileError::None)
            return fail(n);
        ++n;
    }
    file.close();

    out() << "Wrote " << path << ": " << (n - FirstEntryRecord) << " entries in " << (n - 1)
          << " records. Log on as MANAGER with PIN 1234.\n";
    return ExitOk;
}

// ---------------------------------------------------------------------------
// The dump

const std::array<const char *, FieldCount> FieldNames{
    "Name",   "Price",  "Number", "Notes",  "Sold",       "Stock",      "Remaining",
    "SpareA", "SpareB", "SpareC", "SpareD", "Reserved11", "Reserved12",
};

QString currencyText(Currency c)
{
    const qint64 raw = c.raw();
    const quint64 abs = raw < 0 ? quint64(-(raw + 1)) + 1 : quint64(raw);
    return QStringLiteral("%1%2.%3")
        .arg(raw < 0 ? QStringLiteral("-") : QString())
        .arg(abs / quint64(Currency::Scale))
        .arg(abs % quint64(Currency::Scale), 4, 10, QLatin1Char('0'));
}

QString dateText(double oleDays)
{
    const QDateTime dt = OleDate::toDateTime(oleDays);
    if (!dt.isValid())
        return QStringLiteral("invalid(%1)").arg(oleDays, 0, 'g', QLocale::FloatingPointShortest);
    if (dt.time() == QTime(0, 0))
        return dt.date().toString(Qt::ISODate);
    return dt.toString(Qt::ISODateWithMs);
}

// Type and value of one field, e.g. int16:5, currency:1.1900, "MILK 1L".
QString fieldText(const FieldValue &v)
{
    switch (v.type()) {
    case FieldValue::Type::Empty:
        return QString();
    case FieldValue::Type::Int16:
        return QStringLiteral("int16:%1").arg(qint64(v.toNumber()));
    case FieldValue::Type::Int32:
        return QStringLiteral("int32:%1").arg(qint64(v.toNumber()));
    case FieldValue::Type::Double: {
        // Whole numbers (counters that outgrew 32 bits) without an exponent.
        const double d = v.toNumber();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15)
            return QStringLiteral("double:%1").arg(qint64(d));
        return QStringLiteral("double:%1").arg(d, 0, 'g', QLocale::FloatingPointShortest);
    }
    case FieldValue::Type::Currency:
        return QStringLiteral("currency:") + currencyText(v.toCurrency());
    case FieldValue::Type::Date:
        return QStringLiteral("date:") + dateText(v.dateValue());
    case FieldValue::Type::Text:
        return StoredText::quoted(v.toText());
    }
    return QStringLiteral("?");
}

// The flag names of a well-formed privilege string, or nothing when the text
// is not one (wrong length, other characters, or a trailing flag set).
std::optional<QString> privilegeNames(const FieldValue &v)
{
    if (!v.isText())
        return std::nullopt;
    const std::optional<QStringList> on = grantedNames(v.toText());
    if (!on)
        return std::nullopt;
    return QStringLiteral("privileges(%1)").arg(on->join(QLatin1Char(' ')));
}

QString kindName(int n, const DataRecord &r)
{
    if (HeaderRecord::isCurrencySlot(n))
        return QStringLiteral("currency slot");
    if (n <= HeaderRecords)
        return QStringLiteral("header");
    switch (r.kind()) {
    case RecordKind::Free:
        return QStringLiteral("free");
    case RecordKind::Item:
        return QStringLiteral("item");
    case RecordKind::Customer:
        return QStringLiteral("customer");
    case RecordKind::Cashier:
        return QStringLiteral("cashier");
    }
    return QStringLiteral("?");
}

QString recordLine(int n, const DataRecord &r)
{
    QString line = QString::number(n) + QLatin1Char(' ') + kindName(n, r);
    const bool isCashier = n >= FirstEntryRecord && r.isCashier();
    for (int i = 0; i < FieldCount; ++i) {
        const FieldValue &v = r.field(i);
        if (v.isEmpty())
            continue;
        QString shown = fieldText(v);
        if (isCashier && i == 9) {
            if (auto names = privilegeNames(v))
                shown = *names;
            else
                shown += QStringLiteral(" (not a privilege string)");
        } else if (isCashier && i == 10 && v.type() != FieldValue::Type::Text) {
            shown += QStringLiteral(" (%1)").arg(FormatLoggedOnTime(v.toNumber()));
        }
        line += QLatin1Char(' ') + QLatin1String(FieldNames[i]) + QLatin1Char('=') + shown;
    }
    return line;
}

int dump(const QString &path)
{
    DataFile file(path);
    if (FileError e = file.open(DataFile::Mode::Read); e != FileError::None) {
        err() << "tallybird-data: cannot read " << path << ": " << errorText(e) << "\n";
        return ExitFileError;
    }
    int bad = 0;
    const FileError e = file.scan(1, [&](int n, const RecordView &view) {
        const Result<DataRecord> r = view.decode();
        const FileError decodeError = r.error();
        if (r) {
            out() << recordLine(n, *r) << '\n';
        } else {
            ++bad;
            out() << n << " error " << errorNumber(decodeError) << " ("
                  << errorDescription(decodeError) << ")\n";
        }
        return true;
    });
    out().flush();
    if (const int partial = file.partialBytes(); partial > 0)
        err() << "tallybird-data: a partial record of " << partial << " byte(s) at the end of "
              << path << " was ignored\n";
    if (e != FileError::None) {
        err() << "tallybird-data: reading " << path << " failed: " << errorText(e) << "\n";
        return ExitFileError;
    }
    if (bad > 0) {
        err() << "tallybird-data: " << bad << " record(s) could not be decoded\n";
        return ExitFaults;
    }
    return ExitOk;
}

int usage()
{
    err() << fullUsage();
    return ExitUsage;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Taken as the system gives them: a path need not be valid UTF-8.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << NativePath::decode(QByteArray(argv[i]));

    if (args.size() == 1
        && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        out() << fullUsage();
        return ExitOk;
    }
    if (args.isEmpty())
        return usage();

    const QString command = args.takeFirst();
    if ((command == QLatin1String("demo") || command == QLatin1String("dump"))
        && asksForHelp(args)) {
        out() << "Usage:\n" << (command == QLatin1String("demo") ? DemoUsage : DumpUsage);
        return ExitOk;
    }
    if (command == QLatin1String("demo")) {
        const bool force = args.removeAll(QStringLiteral("--force")) > 0;
        if (args.size() != 1 || args[0].isEmpty() || args[0].startsWith(QLatin1Char('-')))
            return usage();
        return writeDemo(args[0], force);
    }
    if (command == QLatin1String("dump")) {
        if (args.size() != 1 || args[0].isEmpty())
            return usage();
        return dump(args[0]);
    }
    // CSV files read and write numbers the same way whatever the user's locale.
    if (command == QLatin1String("export") || command == QLatin1String("import"))
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    if (command == QLatin1String("check"))
        return checkCommand(args);
    if (command == QLatin1String("export"))
        return exportCommand(args);
    if (command == QLatin1String("import"))
        return importCommand(args);
    if (command == QLatin1String("backup"))
        return backupCommand(args);
    err() << "tallybird-data: unknown command '" << command << "'\n";
    return usage();
}
