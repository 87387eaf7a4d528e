#pragma once

#include "CustomerEntry.h"
#include "FileError.h"

#include <QString>

#include <optional>

class DataFile;

// The customer of a credit payment, found by name.
namespace CustomerLookup {

// Where the customer is: an account, or the place where a new one would go
// (nullopt `account`); `record` is DatabaseFullRecord when there is no room.
struct Place {
    int record = 0;
    std::optional<CustomerEntry> account;
};
Result<Place> find(const QString &path, const QString &name);

// The same in an open datafile. `seen` is where the account was a moment
// ago (0: unknown), looked at first so that a sale need not search the
// whole file; a delete may have moved it since.
Result<Place> findIn(DataFile &file, const QString &name, int seen);

} // namespace CustomerLookup
