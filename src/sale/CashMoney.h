#pragma once

#include "datafile/Currency.h"
#include "datafile/CurrencySlot.h"

#include <QList>
#include <QString>

#include <optional>

// The arithmetic of a cash payment: the foreign currencies offered, amounts
// converted and shown in them, and the change while money is typed.
namespace Purchase {

// One of the foreign currencies, chosen for a cash payment.
struct Foreign {
    int slot = 0;  // its header record
    QString entry; // as offered: name, " (", symbol, ")"
    QString name;
    QString symbol;
    double value = 0; // how much of it one native unit buys, as stored
};

// The foreign currencies offered for cash: the used slots, in order.
using Slot = StoredSlot;
QList<Foreign> offeredCurrencies(const QList<Slot> &stored);
// The currency an entry of the currency box stands for: the one whose name,
// followed by a blank, is the entry's text before "(".
std::optional<Foreign> currencyForEntry(const QList<Foreign> &offered, const QString &entry);

// An amount converted into a foreign currency and rounded to money.
Currency convert(Currency native, const Foreign &foreign);
// A foreign amount as shown: the symbol, then the plain number rounded to the
// cent ("€15", "€6.44").
QString foreignText(const Foreign &foreign, Currency amount);

// What the change box shows while money is typed.
struct ChangeShown {
    bool valid = true; // false: no figure, and "Error" unless more typing can make one
    QString change;
};
// `due` is the amount due in the payment's currency (native when `foreign`
// is null); an empty box is no figure yet, not an error. Foreign money may be
// typed with or without its symbol.
ChangeShown changeFor(const QString &given, Currency due, const Foreign *foreign);

// The money-given box as it looks once left: a native amount in the currency
// format, a foreign one behind its symbol; other texts stay as typed.
QString moneyGivenOnLeaving(const QString &given, const Foreign *foreign);

// Whether completion may go ahead with this money given: a number, after the
// symbol for a foreign currency.
bool moneyGivenIsValid(const QString &given, const Foreign *foreign);

} // namespace Purchase
