#pragma once

#include "FileError.h"
#include "ItemEntry.h"

#include <QString>

#include <functional>

// The item records a sale changes, in the datafile at one path.
namespace ItemStock {

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

// A bill line taken off: `quantity` of the item `name`, rung from `record`.
struct Returned {
    int record = 0;
    QString name;
    double quantity = 0;
};
// Puts a removed line's quantity back: into the record it was rung from while
// that record still holds the item, else into the first item of that name.
// Record 0 (a line that stands for no stored item) changes nothing.
FileError restore(const QString &path, const Returned &returned);

// A new item stored at the counter, in one opening of the file: the record
// it was stored at, or DatabaseFullRecord when there is no room (nothing
// written). Without an item, only whether there is room.
struct Added {
    int record = 0;
    // Opening or reading failed, or writing the item failed: shown apart,
    // as only a write can find a record too long.
    FileError readError = FileError::None;
    FileError writeError = FileError::None;
};
Added appendItem(const QString &path, const ItemEntry *item);

} // namespace ItemStock
