#pragma once

#include "Bill.h"
#include "datafile/FileError.h"
#include "datafile/ItemEntry.h"
#include "datafile/RecordStore.h"

#include <QString>

#include <functional>

// The item records a bill changes, in the datafile at one path.
namespace BillStock {

struct Sold {
    int record = 0;       // 0: no such item
    ItemEntry item;       // as it now stands
    bool refused = false; // the bill would not take the item: nothing written
};

// Whether the bill takes the item found, asked before its stock changes.
using BillTakes = std::function<bool(const ItemEntry &)>;

// Sells `quantity` of the first item in file order, customers and cashiers
// aside, whose name or item number is `text`: items sold up, remaining
// down, written back at once, all in one opening of the file.
Result<Sold> sellFirst(const QString &path, const QString &text, double quantity,
                       const BillTakes &takes);

// The same for the item at `record`.
Result<Sold> sell(const QString &path, int record, double quantity, const BillTakes &takes);

// Puts a removed line's quantity back: into the record it was rung from while
// that record still holds the item, else into the first item of that name.
// A line that stands for no stored item changes nothing.
FileError restore(const QString &path, const Bill::Removal &removal);

} // namespace BillStock
