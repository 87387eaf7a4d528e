#pragma once

#include "Bill.h"
#include "datafile/FileError.h"
#include "datafile/ItemStock.h"

#include <QString>

// The bill together with the item records it changes: ringing sells from the
// datafile at once, removing a line puts the stock back.
class Sale
{
public:
    const Bill &bill() const { return m_bill; }
    Bill &bill() { return m_bill; }

    enum class Rung {
        Done,
        Nothing,         // an empty box, or a record marker typed as an item
        InvalidQuantity, // "Input Error"
        NotFound,        // no item of that name or number: a new item
        TooLarge,        // the bill would pass the largest amount the datafile holds
    };
    // Rings the first item whose name or number is `item`, with a quantity as
    // BillLine::quantity reads it. Nothing changes unless it is Done.
    Result<Rung> ring(const QString &path, const QString &item, const QString &quantity);
    // Rings the item at `record` without searching (a new item just stored).
    Result<Rung> ringRecord(const QString &path, int record, const QString &quantity);

    enum class Removed { Done, NoSuchLine };
    // Removes line `row` and puts its stock back; on a file error the bill
    // stays as it was.
    Result<Removed> remove(const QString &path, int row);
    // Removes every line, first to last, putting the stock back; stops at the
    // first file error with the lines not yet taken back still on the bill.
    FileError clear(const QString &path);

private:
    ItemStock::BillTakes takes(const QString &quantity) const;

    Bill m_bill;
};
