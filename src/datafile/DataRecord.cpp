#include "DataRecord.h"

#include "HeaderRecords.h"
#include "OleDate.h"

#include <QDate>

// What the fields hold in each kind of record:
//
//  #  field       item            customer         cashier            currency slot (10-13)
//  0  Name        item name       "***"            "*+*"              "***"
//  1  Price       price           balance          amount sold        value of one native unit
//  2  Number      item number     customer name    cashier name       currency name ("" free)
//  3  Notes       -               notes            -                  -
//  4  Sold        items sold      -                -                  -
//  5  Stock       total stock     -                -                  -
//  6  Remaining   remaining       -                -                  -
//  7  SpareA      -               visits           PIN                transactions
//  8  SpareB      -               total spent      sales performed    amount received
//  9  SpareC      -               -                privilege string   symbol
// 10  SpareD      -               -                ms logged on       -
// 11, 12          never used
//
// Header records 1-20 all carry "***" in field 0; newHeaderRecords() lists the rest.

namespace {

using FieldPtr = FieldValue DataRecord::*;
constexpr FieldPtr Fields[FieldCount] = {
    &DataRecord::Name,       &DataRecord::Price,  &DataRecord::Number,    &DataRecord::Notes,
    &DataRecord::Sold,       &DataRecord::Stock,  &DataRecord::Remaining, &DataRecord::SpareA,
    &DataRecord::SpareB,     &DataRecord::SpareC, &DataRecord::SpareD,    &DataRecord::Reserved11,
    &DataRecord::Reserved12,
};

} // namespace

FieldValue &DataRecord::field(int index)
{
    Q_ASSERT(index >= 0 && index < FieldCount);
    if (index < 0 || index >= FieldCount) {
        // Out of range is a programming error; never let it overwrite a real field.
        static thread_local FieldValue sink;
        sink = FieldValue();
        return sink;
    }
    return this->*Fields[index];
}

const FieldValue &DataRecord::field(int index) const
{
    Q_ASSERT(index >= 0 && index < FieldCount);
    if (index < 0 || index >= FieldCount) {
        static const FieldValue none;
        return none;
    }
    return this->*Fields[index];
}

RecordKind DataRecord::kind() const
{
    return kindOfName(Name);
}

bool DataRecord::operator==(const DataRecord &o) const
{
    for (int i = 0; i < FieldCount; ++i) {
        if (!(field(i) == o.field(i)))
            return false;
    }
    return true;
}

RecordKind kindOfName(const FieldValue &name)
{
    if (name.isEmpty())
        return RecordKind::Free;
    const QString text = name.toText();
    if (text.isEmpty())
        return RecordKind::Free;
    if (text == SharedMarker)
        return RecordKind::Customer;
    if (text == CashierMarker)
        return RecordKind::Cashier;
    return RecordKind::Item;
}

std::array<DataRecord, HeaderRecords> newHeaderRecords(const QDate &today)
{
    const FieldValue zero = FieldValue::fromInt16(0);
    const FieldValue one = FieldValue::fromInt16(1);
    const FieldValue none = FieldValue::fromText(QString());
    // The pound sign is byte 0xA3 on disk.
    const FieldValue pound = FieldValue::fromText(QString(QChar(0x00A3)));

    std::array<DataRecord, HeaderRecords> records;
    for (int i = 0; i < HeaderRecords; ++i) {
        DataRecord &r = records[i];
        const int n = i + 1;
        r.Name = FieldValue::fromText(SharedMarker);
        r.Price = zero;
        if (n <= HeaderRecord::BillNotes) {
            r.Number = none; // tax rate, log file, two switches, bill header
        } else if (n == HeaderRecord::ItemBoxShowsNames) {
            r.Number = one; // the item box shows names
        } else if (n == HeaderRecord::LastTransaction) {
            r.Price = FieldValue::fromDate(OleDate::fromDate(today));
            r.Number = zero;
        } else if (n < HeaderRecord::FirstCurrencySlot) {
            r.Number = zero;
        } else if (n <= HeaderRecord::LastCurrencySlot) {
            r.Number = none;
            r.SpareA = zero;
            r.SpareB = zero;
            r.SpareC = pound;
        } else {
            r.Number = zero;
            r.SpareA = none;
            r.SpareB = none;
            r.SpareC = none;
        }
    }
    return records;
}
