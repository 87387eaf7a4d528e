#pragma once

#include "DataRecord.h"

#include <QList>

#include <QChar>
#include <QString>

#include <optional>
#include <utility>

// The tax rates of header record 1 and the no-tax flag of record 20.
struct TaxSettings {
    QString rate1;      // percent, as typed
    QString rate2;      // "" when only one tax is used
    bool noTax = false; // taxes are not applied to sales

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
