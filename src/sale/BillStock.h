#pragma once

#include "datafile/FileError.h"

#include <QString>

// Puts the quantity of a removed bill line back into the stock of every item
// stored under that name.
FileError restoreStock(const QString &path, const QString &itemName, double quantity);
