#include "EntryExport.h"

#include "CashierEntry.h"
#include "Csv.h"
#include "CustomerEntry.h"
#include "DataFile.h"
#include "ItemEntry.h"
#include "MoneyText.h"

namespace EntryExport {

namespace {

RecordKind recordKind(Kind kind)
{
    switch (kind) {
    case Kind::Items:
        return RecordKind::Item;
    case Kind::Customers:
        return RecordKind::Customer;
    case Kind::Cashiers:
        return RecordKind::Cashier;
    }
    return RecordKind::Item;
}

// The granted flags by name, as the Cashier window's check boxes are named;
// a text that is no privilege string is given as it is stored.
QString privilegeText(const CashierEntry &cashier)
{
    const QString stored = cashier.privilegeText();
    const std::optional<QStringList> on = grantedNames(stored);
    return on ? on->join(QLatin1Char(' ')) : stored;
}

QStringList rowOf(Kind kind, const DataRecord &record, bool withPins)
{
    switch (kind) {
    case Kind::Items: {
        const ItemEntry item(record);
        return {Csv::textCell(item.name()),           item.number(),
                MoneyText::decimalText(item.price()), MoneyText::numberText(item.sold()),
                MoneyText::numberText(item.stock()),  MoneyText::numberText(item.remaining())};
    }
    case Kind::Customers: {
        const CustomerEntry customer(record);
        return {Csv::textCell(customer.name()), MoneyText::decimalText(customer.balance()),
                Csv::textCell(customer.notes()), MoneyText::numberText(customer.visits()),
                MoneyText::decimalText(customer.totalSpent())};
    }
    case Kind::Cashiers: {
        const CashierEntry cashier(record);
        QStringList row{Csv::textCell(cashier.name())};
        if (withPins)
            row << cashier.pin();
        row << MoneyText::decimalText(cashier.amountSold())
            << MoneyText::numberText(cashier.salesPerformed())
            << Csv::textCell(privilegeText(cashier)) << MoneyText::numberText(cashier.msLoggedOn());
        return row;
    }
    }
    return {};
}

} // namespace

QStringList columns(Kind kind, bool withPins)
{
    switch (kind) {
    case Kind::Items:
        return {QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Price"),
                QStringLiteral("Sold"), QStringLiteral("Stock"),  QStringLiteral("Remaining")};
    case Kind::Customers:
        return {QStringLiteral("Name"), QStringLiteral("Balance"), QStringLiteral("Notes"),
                QStringLiteral("Visits"), QStringLiteral("Total Spent")};
    case Kind::Cashiers: {
        QStringList names{QStringLiteral("Name")};
        if (withPins)
            names << QStringLiteral("PIN");
        names << QStringLiteral("Amount Sold") << QStringLiteral("Sales Performed")
              << QStringLiteral("Privileges") << QStringLiteral("Milliseconds Logged On");
        return names;
    }
    }
    return {};
}

Result<QByteArray> run(const QString &path, Kind kind, bool withPins)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    const RecordKind wanted = recordKind(kind);
    QString text = Csv::line(columns(kind, withPins));
    FileError decodeError = FileError::None;
    const FileError error = file.scan(FirstEntryRecord, [&](int, const RecordView &view) {
        if (view.kind() != wanted)
            return true;
        const Result<DataRecord> record = view.decode();
        if (!record) {
            decodeError = record.error();
            return false;
        }
        text += Csv::line(rowOf(kind, *record, withPins));
        return true;
    });
    if (error != FileError::None)
        return error;
    if (decodeError != FileError::None)
        return decodeError;
    return text.toUtf8();
}

} // namespace EntryExport
