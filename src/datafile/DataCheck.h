#pragma once

#include "FileError.h"

#include <QList>
#include <QString>

// Reads every record of a datafile and lists what is wrong with it; never
// writes.
namespace DataCheck {

struct Finding {
    int record = 0; // 0: the file as a whole
    QString text;
};

// Records that do not decode, items whose sold + remaining is not their
// stock, item names that the till cannot find (lower-case letters, blanks at
// either end), item names and numbers held by more than one item, cashiers
// without a name or PIN, no cashier with every privilege, header records that
// do not hold what their layout says, and a partial record at the end. Fails only
// when the file cannot be opened as a datafile or read.
Result<QList<Finding>> run(const QString &path);

} // namespace DataCheck
