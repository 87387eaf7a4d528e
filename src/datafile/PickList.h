#pragma once

#include "FileError.h"

#include <QString>
#include <QStringList>

// The entries of a pick box, read from the datafile in one scan.
struct PickList {
    enum class Mode { Items, Customers };

    QStringList entries;   // record order; items sorted by the box
    bool disabled = false; // record 8 says drop-down pick boxes are off
    bool tooMany = false;  // entries stop at MaxPickListEntries; more were in the file

    static Result<PickList> read(const QString &path, Mode mode);
};
