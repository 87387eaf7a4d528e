#pragma once

#include "DataRecord.h"

#include <QList>

#include <QChar>
#include <QString>

#include <optional>
#include <utility>

// The tax rates of header record 1 and the no-tax flag of record 20.
// The rates are kept as stored (see TaxRate below).
struct TaxSettings {
    QString rate1;      // percent
    QString rate2;      // "" when only one tax is used
    bool noTax = false; // taxes are not applied to sales

    double firstRate() const;
    std::optional<double> secondRate() const; // nullopt with one tax

    static TaxSettings fromRecords(const DataRecord &rates, const DataRecord &noTaxFlag);
    // Both records, written together: a rate too long for its record leaves
    // both as they were.
    QList<std::pair<int, DataRecord>> toRecords() const;
    // The first character of the rates that may not be stored.
    std::optional<QChar> unstorableCharacter() const;
};

// A rate is accepted when it is a number whose leading numeric part is that
// same number: the grand total reads the rate by its leading number, so
// "1,000" or "$7" would be taxed differently from what the user sees. A
// negative rate would take money off every sale, and one past a thousand
// percent is a typing slip that would overflow the totals.
constexpr double MaxTaxRate = 1000;
bool isValidTaxRate(const QString &text);

// A rate is stored as a plain number with a dot, whatever the locale, so that
// a datafile charges the same tax on every till. The user types and sees it in
// the locale's own way.
namespace TaxRate {
// Whether a stored rate reads as a number. Earlier versions stored the rate as
// typed, so a comma is read as the decimal point too ("8,25").
bool isStoredNumber(const QString &stored);
// The percentage a stored rate stands for; the leading number of other texts.
double value(const QString &stored);
// A valid rate typed in the locale, as stored; nullopt when it is not valid.
std::optional<QString> toStored(const QString &typed);
// A stored rate as the locale writes it; a text that is no number stays as it is.
QString toTyped(const QString &stored);
} // namespace TaxRate
