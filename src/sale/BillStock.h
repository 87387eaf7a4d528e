#pragma once

#include "Bill.h"
#include "datafile/FileError.h"
#include "datafile/ItemEntry.h"
#include "datafile/RecordStore.h"

#include <QString>

// The item records a bill changes, in the datafile at one path.
namespace BillStock {

// The first record in file order, customers and cashiers aside, whose name
// or item number is `text`; record 0 when there is none.
Result<RecordStore::Found> findItem(const QString &path, const QString &text);

// Sells `quantity` of the item at `record`: items sold up, remaining down,
// written back at once. Gives the item as it now stands.
Result<ItemEntry> sell(const QString &path, int record, double quantity);

// Puts a removed line's quantity back: into the record it was rung from while
// that record still holds the item, else into the first item of that name.
// A line that stands for no stored item changes nothing.
FileError restore(const QString &path, const Bill::Removal &removal);

} // namespace BillStock
