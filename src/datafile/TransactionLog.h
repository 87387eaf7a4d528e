#pragma once

#include "FileError.h"
#include "Journal.h"

#include <QByteArray>

// Where completed sales are written down, one entry each.
class TransactionLog
{
public:
    virtual ~TransactionLog() = default;
    // Appends one entry, already encoded, not yet on the disk: the
    // datafile's journal takes what was written (where and which bytes) to
    // the disk with the sale's records. On failure the log is left as it was.
    virtual Result<Journal::SideWrite> append(const QByteArray &entry) = 0;
    // Takes the entry just appended back out (its bill did not print).
    virtual FileError takeBack() = 0;
    // Where the next entry goes: the log's path and size (no path: nowhere
    // on the disk).
    virtual Journal::SideWrite next() const = 0;
};
