#pragma once

#include "datafile/FileError.h"

#include <QChar>
#include <QString>

// The tax rates of header record 1 and the no-tax flag of record 20.
struct TaxSettings {
    QString rate1;      // percent, as typed
    QString rate2;      // "" when only one tax is used
    bool noTax = false; // taxes are not applied to sales

    static FileError read(const QString &path, TaxSettings &out);
    // Both records are encoded before either is written, so a rate too long
    // for its record leaves both as they were. `badChar` gets the character
    // that cannot be stored, for UnencodableText.
    FileError write(const QString &path, QChar *badChar = nullptr) const;
};

// A rate is accepted when it is a number whose leading numeric part is that
// same number: the grand total reads the rate by its leading number, so
// "1,000" or "$7" would be taxed differently from what the user sees.
bool isValidTaxRate(const QString &text);
