#include "DataCheck.h"

#include "CashierEntry.h"
#include "CurrencySlot.h"
#include "DataFile.h"
#include "HeaderRecords.h"
#include "ItemEntry.h"
#include "MoneyText.h"
#include "StoredText.h"
#include "TaxSettings.h"

#include <QHash>

namespace DataCheck {

namespace {

// Escaped: a control character in a name reaches the terminal as text.
using StoredText::quoted;

// A switch of the header: the number or text 1 or 0, or "" as a new datafile has it.
bool isSwitch(const FieldValue &value)
{
    const QString text = value.toText();
    return text.isEmpty() || text == QLatin1String("0") || text == QLatin1String("1");
}

bool isWhole(const FieldValue &value)
{
    return MoneyText::isWholeNumber(value.toText());
}

// What a header record should hold and does not; empty when it is as its layout says.
QStringList headerFaults(int n, const DataRecord &record)
{
    QStringList faults;
    if (!record.Name.textEquals(SharedMarker))
        faults << QStringLiteral("field 0 (Name) is %1, not \"***\"")
                      .arg(quoted(record.Name.toText()));
    switch (n) {
    case HeaderRecord::TaxRates:
    case HeaderRecord::NoTax: {
        const QString rate = record.Price.toText();
        if (!rate.isEmpty() && !TaxRate::isStoredNumber(rate))
            faults << QStringLiteral("the tax rate %1 is not a number").arg(quoted(rate));
        break;
    }
    default:
        break;
    }
    if (n == HeaderRecord::TaxRates) {
        const QString second = record.Number.toText();
        if (!second.isEmpty() && !TaxRate::isStoredNumber(second))
            faults << QStringLiteral("the second tax rate %1 is not a number").arg(quoted(second));
    }
    if (n == HeaderRecord::SaveToLog || n == HeaderRecord::PrintBill
        || n == HeaderRecord::ItemBoxShowsNames || n == HeaderRecord::PickBoxes
        || n == HeaderRecord::NoTax) {
        if (!isSwitch(record.Number))
            faults << QStringLiteral("the switch in field 2 (Number) is %1, not 1 or 0")
                          .arg(quoted(record.Number.toText()));
    }
    if (n == HeaderRecord::LastTransaction) {
        if (record.Price.type() != FieldValue::Type::Date)
            faults << QStringLiteral("field 1 (Price) holds no date of the last transaction");
        if (!isWhole(record.Number))
            faults << QStringLiteral("the transaction number %1 is not a whole number")
                          .arg(quoted(record.Number.toText()));
    }
    if (HeaderRecord::isCurrencySlot(n)) {
        const CurrencySlot slot(record);
        if (!slot.isFree()) {
            if (slot.symbol().size() != 1)
                faults << QStringLiteral("the currency %1 has the symbol %2, not one character")
                              .arg(quoted(slot.name()), quoted(slot.symbol()));
            if (!(slot.rate() > 0))
                faults << QStringLiteral("the currency %1 has the value %2")
                              .arg(quoted(slot.name()), MoneyText::numberText(slot.rate()));
        }
    }
    return faults;
}

} // namespace

Result<QList<Finding>> run(const QString &path)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;

    QList<Finding> findings;
    const auto add = [&](int record, const QString &text) { findings.append({record, text}); };

    QHash<QString, int> itemNames;   // the first item of each name
    QHash<QString, int> itemNumbers; // the first item of each number
    bool master = false;
    const QString masterPrivileges = Privileges::master().toString();

    const FileError error = file.scan(1, [&](int n, const RecordView &view) {
        const Result<DataRecord> decoded = view.decode();
        if (!decoded) {
            add(n, QStringLiteral("does not decode: ") + errorText(decoded.error()));
            return true;
        }
        const DataRecord &record = *decoded;
        if (n <= HeaderRecords) {
            for (const QString &fault : headerFaults(n, record))
                add(n, QStringLiteral("header record: ") + fault);
            return true;
        }
        // Stored before the program refused them (an old import, another
        // program): on the bill and in the log such a character acts as a code.
        for (int i = 0; i < FieldCount && record.kind() != RecordKind::Free; ++i) {
            const FieldValue &field = record.field(i);
            const auto lines =
                &field == &record.Notes ? StoredText::Lines::Several : StoredText::Lines::One;
            const std::optional<QChar> c =
                field.isText() ? StoredText::firstRefused(field.toText(), lines) : std::nullopt;
            if (c && StoredText::isControl(*c)) {
                const QString code =
                    QString::number(c->unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
                add(n, QStringLiteral("%1 holds the control character U+%2, which the program "
                                      "never stores")
                           .arg(quoted(field.toText()), code));
                break;
            }
        }
        switch (record.kind()) {
        case RecordKind::Item: {
            const ItemEntry item(record);
            const QString name = item.name();
            if (item.sold() + item.remaining() != item.stock())
                add(n, QStringLiteral("item %1: Sold %2 + Remaining %3 is not Stock %4")
                           .arg(quoted(name), MoneyText::numberText(item.sold()),
                                MoneyText::numberText(item.remaining()),
                                MoneyText::numberText(item.stock())));
            // The till and the item browser turn what is typed into capitals
            // and compare whole names.
            const QString unfindable =
                name != name.toUpper()   ? QStringLiteral("has lower-case letters")
                : name != name.trimmed() ? QStringLiteral("begins or ends with a blank")
                                         : QString();
            if (!unfindable.isEmpty())
                add(n, QStringLiteral("item %1: the name %2, so the till and the item browser can "
                                      "never find it by name")
                           .arg(quoted(name), unfindable));
            if (const auto first = itemNames.constFind(name); first != itemNames.cend())
                add(n, QStringLiteral("item name %1 is also the name of record %2")
                           .arg(quoted(name))
                           .arg(*first));
            else
                itemNames.insert(name, n);
            const QString number = item.number();
            if (const auto first = itemNumbers.constFind(number); first != itemNumbers.cend())
                add(n, QStringLiteral("item %1: number %2 is also the number of record %3")
                           .arg(quoted(name), quoted(number))
                           .arg(*first));
            else
                itemNumbers.insert(number, n);
            break;
        }
        case RecordKind::Cashier: {
            const CashierEntry cashier(record);
            if (cashier.name().isEmpty())
                add(n, QStringLiteral("cashier with an empty name"));
            if (cashier.pin().isEmpty())
                add(n, QStringLiteral("cashier %1 has an empty PIN").arg(quoted(cashier.name())));
            if (cashier.privilegeText() == masterPrivileges)
                master = true;
            break;
        }
        case RecordKind::Customer:
        case RecordKind::Free:
            break;
        }
        return true;
    });
    if (error != FileError::None)
        return error;

    const int count = file.recordCount();
    if (count < HeaderRecords)
        add(0, QStringLiteral("the file ends after record %1: header records %2 to %3 are missing")
                   .arg(count)
                   .arg(count + 1)
                   .arg(HeaderRecords));
    if (count > MaxRecords)
        add(0, QStringLiteral("%1 records, more than the %2 a datafile may hold")
                   .arg(count)
                   .arg(MaxRecords));
    if (!master)
        add(0, QStringLiteral("no master cashier (a cashier with every privilege)"));
    if (const int partial = file.partialBytes(); partial > 0)
        add(0, QStringLiteral("a partial record of %1 byte(s) at the end").arg(partial));
    return findings;
}

} // namespace DataCheck
