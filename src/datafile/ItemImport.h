#pragma once

#include "Csv.h"
#include "FileError.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

// Adds and updates items from a catalogue in CSV with the columns of the item
// export, found by their names in the header row: Name, Number, Price and
// Stock, and optionally Sold and Remaining. An item whose number a datafile
// item has updates that item's name, price and stock and keeps what it has
// sold; any other row adds a new item after the last record. A name that the
// export wrote with a "'" in front, so that a spreadsheet keeps it as text, is
// read without it (Csv::fromTextCell). Names are stored trimmed and in
// capitals, as the item browser stores them, so that the till and the browser
// find them.
//
// All or nothing: every row is checked first, as the item browser checks its
// boxes, and must be storable; the first row that is not stops the import
// before anything is written. The datafile is then rewritten once, beside
// the old file and renamed over it.
namespace ItemImport {

struct Outcome {
    FileError error = FileError::None;   // the datafile could not be read or written
    std::optional<Csv::Problem> refused; // the catalogue's first fault
    int added = 0;
    int updated = 0;

    bool ok() const { return error == FileError::None && !refused; }
};

// The largest catalogue read: a catalogue of the most items a datafile holds
// (32,744) takes a few megabytes.
inline constexpr qint64 MaxCsvBytes = qint64(64) << 20;

Outcome run(const QString &path, QByteArrayView csv);

} // namespace ItemImport
