#pragma once

#include "BrowserSettings.h"

#include "datafile/Currency.h"

// The checks of the browsers' entry boxes when the user leaves them.
namespace BoxRules {

// Numeric and a whole number; the text stays as typed.
BoxRule whole();
// Numeric and a whole number; the box then shows that number.
BoxRule wholeRewritten();
// Numeric; the box then shows the amount in the currency format.
BoxRule money();
// Numeric; the text stays as typed.
BoxRule numeric();
// A currency symbol: not empty and not a number. The symbol in front of the
// amount in `amountBox` becomes the new one.
BoxRule symbol(BoxKey amountBox);
// An amount with the symbol of `symbolBox` in front: numeric once that is
// taken away; the box then shows the symbol in front again.
BoxRule amountWithSymbol(BoxKey symbolBox);

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
