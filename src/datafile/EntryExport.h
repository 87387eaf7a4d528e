#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The entries of a datafile as a table in CSV: a header row, then one row per
// entry in the order of the file. Money is a plain decimal with a dot; a text
// that a spreadsheet would take for a formula has a "'" in front
// (Csv::textCell).
namespace EntryExport {

enum class Kind { Items, Customers, Cashiers };

// The column names of each kind; an item catalogue read back by ItemImport
// has the same ones. A cashier's PIN is a column only when asked for.
QStringList columns(Kind kind, bool withPins);

// The table of every entry of the kind, UTF-8. Fails with the datafile's
// open error, or the decoder's error for an entry of the kind that cannot be
// read.
Result<QByteArray> run(const QString &path, Kind kind, bool withPins);

} // namespace EntryExport
