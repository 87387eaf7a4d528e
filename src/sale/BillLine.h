#pragma once

#include "datafile/Currency.h"

#include <QString>

// A line of the bill read back from its text:
// name, " - ", price, "   X   ", quantity.
struct BillLine {
    QString name;
    double price = 0;     // the amount between the last "-" and the last "X"
    double quantity = 0;  // the text after the last "X"
    bool summary = false; // a "Grand Total" or "Tax Free" line

    static BillLine parse(const QString &text);
    static bool isSummary(const QString &text);
    // price × quantity, rounded to a money amount.
    Currency amount() const;
};
