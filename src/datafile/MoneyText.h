#pragma once

#include "Currency.h"

#include <QLocale>
#include <QString>

#include <optional>

// Conversions between numbers and the texts the program shows and reads back.
// All use the default QLocale; the program sets it to en_US when the system
// locale is C or POSIX.
namespace MoneyText {

// The locale all conversions here use: the default one, or en_US when that is C.
QLocale locale();

// The "currency" format: the locale's currency format, negative amounts in
// parentheses, e.g. "$1,234.50" and "($10.70)".
QString formatCurrency(Currency amount);

// The same for many amounts in a row, as a report writes them: the locale's
// currency symbol and digits are looked up once.
class CurrencyFormat
{
public:
    CurrencyFormat();
    QString operator()(Currency amount) const;

private:
    // The amount of `units` (of 10^-digits) as the locale writes a number,
    // digit for digit: a double would lose cents above about $100 billion.
    QString number(quint64 units) const;

    QLocale m_locale;
    QString m_symbol;
    int m_digits;
    // What the locale's currency format puts around the number; `exact`
    // false when its pattern could not be told apart from the number.
    QString m_prefix;
    QString m_suffix;
    bool m_exact = false;
};

// Reads everything formatCurrency writes, and plain numbers with or without
// grouping separators, a leading or trailing sign, parentheses, the currency
// symbol and surrounding blanks. nullopt when the text is not such a number.
std::optional<double> parseNumber(const QString &text);
std::optional<Currency> parseCurrency(const QString &text);

// True exactly when parseNumber accepts the text.
bool isNumeric(const QString &text);

// True for a text on its way to a number as a person types it ("1,", "1 0",
// "-", "1e", "("): while it is typed it is no error yet.
bool mayBecomeNumber(const QString &text);

// The number a text stands for, as parseNumber reads it, written plainly with
// a dot and the digits as typed ("1234.50", "-5", "1e3"); nullopt when the
// text is not a number.
std::optional<QString> plainNumber(const QString &text);

// True when the text is numeric and its value has no fractional part.
bool isWholeNumber(const QString &text);

// The numeric value of the leading numeric part of a text (blanks skipped,
// optional sign, digits, optional decimal part and exponent); 0 when the text
// does not start with a number.
double leadingNumber(const QString &text);

// The plain decimal rendering of a number as stored in a field: integers
// without decimals, others with up to 15 significant digits and no trailing
// zeros ("12.5", "-0.25").
QString numberText(double value);

// An amount as a plain decimal with a dot, whatever the locale: at least
// `minDecimals` decimals and as many more as the amount needs, no grouping
// ("1.50", "-25.00", "0.9235").
QString decimalText(Currency amount, int minDecimals = 2);

} // namespace MoneyText
