#pragma once

#include "datafile/Currency.h"
#include "datafile/FileError.h"

#include <QList>
#include <QString>

#include <optional>

// The arithmetic of the currency converter. A currency is given by its
// current value (how much of it equals one native unit); nullopt stands for
// the native currency.
namespace CurrencyConversion {

using Rate = std::optional<double>;

// `amount` of currency `from` in currency `to`. A foreign amount goes through
// the native amount. A currency whose value is 0 converts to 0.
double convert(double amount, Rate from, Rate to);

// How a converter box shows an amount: native amounts in the currency format,
// foreign ones as plain numbers.
QString amountText(double amount, Rate currency);

struct Entry {
    QString text; // "Native Currency", or the name, " (", the symbol and ")"
    Rate rate;
};
// "Native Currency", then each used slot in slot order.
Result<QList<Entry>> entries(const QString &path);

} // namespace CurrencyConversion
