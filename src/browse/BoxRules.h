#pragma once

#include "BrowserSettings.h"

#include "datafile/Currency.h"

// The checks of the browsers' entry boxes when the user leaves them.
namespace BoxRules {

// Numeric and a whole number; the text stays as typed.
BoxRule whole();
// Numeric and a whole number; the box then shows that number.
BoxRule wholeRewritten();
// An amount the datafile holds; the box then shows it in the currency format.
BoxRule money();
// As money(), but an empty box stands for 0.
BoxRule moneyOrEmpty();
// A currency's value as the datafile can hold it; the text stays as typed.
BoxRule rate();
// Numeric; the text stays as typed.
BoxRule numeric();
// A currency symbol: not empty and not a number. The symbol in front of the
// amount in `amountBox` becomes the new one.
BoxRule symbol(BoxKey amountBox);
// An amount with the symbol of `symbolBox` in front: numeric once that is
// taken away, and an amount the datafile holds; the box then shows the symbol in front again.
BoxRule amountWithSymbol(BoxKey symbolBox);

// The amount a text stands for; nullopt when it is not a number or lies past
// the largest amount the datafile holds, where reading it would saturate.
std::optional<Currency> moneyAmount(const QString &text);
// A currency's value; nullopt when the datafile cannot hold it as typed.
std::optional<double> rateValue(const QString &text);

// The whole number a text stands for, as a box shows it; nullopt when the
// text is not a whole number.
std::optional<QString> wholeText(const QString &text);
// The text without one leading `symbol` (and the blanks around it).
QString withoutSymbol(const QString &text, const QString &symbol);
// The amount of a total shown with a currency symbol in front: without
// `symbol`, or without whatever one-character symbol it still shows when the
// symbol has just been changed.
QString amountAfterSymbol(const QString &text, const QString &symbol);
// An amount as a plain number in the locale's digits, without grouping, with
// at least `minDecimals` and at most four decimals ("12.50", "0.9235").
QString plainAmount(Currency amount, int minDecimals);

} // namespace BoxRules
