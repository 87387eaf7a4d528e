#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The figures of items, customers and cashiers that reports select by. Each
// belongs to one kind of entry.
enum class EntryFigure {
    ItemPrice,
    ItemsSold,
    ItemsRemaining,
    ItemStock,
    CustomerBalance,
    CustomerVisits,
    CustomerTotalSpent,
    CashierAmountSold,
    CashierSales,
    CashierTimeLoggedOn,
};

// How a figure is read: money as a double of the exact amount, counts as long
// integers (the nearest whole number, halves to even), time in milliseconds.
enum class FigureUnit { Money, Count, Milliseconds };

FigureUnit unitOf(EntryFigure figure);

// One figure of every entry of its kind, in file order, with the name of each
// entry: an item's name, a customer's or a cashier's name.
struct EntryFigures {
    QList<double> values;
    // The entries as read, followed by the text of every name stored as a
    // number, and where the name of value i is among these bytes.
    QByteArray bytes;
    struct Span {
        qsizetype start;
        qsizetype length;
    };
    QList<Span> names;

    // The Windows-1252 bytes of the name of value i.
    QByteArrayView nameBytes(qsizetype i) const;

    // Reads every entry of the datafile in one read. An entry that cannot be
    // decoded gives its error and no figures.
    static Result<EntryFigures> read(const QString &datafilePath, EntryFigure figure);
};
