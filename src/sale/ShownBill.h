#pragma once

#include "datafile/Currency.h"

#include <QStringList>

class Bill;

// The bill handed to payment: its lines, and its totals to the cent as the
// main window shows them, since what the cashier sees is what is charged,
// logged and printed.
struct ShownBill {
    QStringList lines;
    Currency subtotal;
    Currency grandTotal;

    // A bill whose grand total is computed.
    static ShownBill of(const Bill &bill);
};
