#pragma once

#include "DataRecord.h"

#include <optional>

// The settings records at the start of every datafile. Each holds "***" in
// field 0; the fields named here are the ones the program reads and writes.
namespace HeaderRecord {

constexpr int TaxRates = 1;          // Price: first rate, Number: second rate or ""
constexpr int LogFile = 2;           // Number: log path, Price: 0 started new, 1 appended
constexpr int SaveToLog = 3;         // Number: 1 when completed sales go to the log
constexpr int PrintBill = 4;         // Number: 1 when completed sales are printed
constexpr int BillNotes = 5;         // Number: bill header, Price: bill footer
constexpr int ItemBoxShowsNames = 6; // Number: 1 names, 0 item numbers
constexpr int LastTransaction = 7;   // Price: date, Number: that day's last number
constexpr int PickBoxes = 8;         // Number: 1 when drop-down pick boxes are off
constexpr int FirstCurrencySlot = 10;
constexpr int LastCurrencySlot = 13;
constexpr int NoTax = 20; // Number: 1 when sales are not taxed; Price as record 1

constexpr bool isCurrencySlot(int n)
{
    return n >= FirstCurrencySlot && n <= LastCurrencySlot;
}

// Records 3, 4, 6 and 8 hold 1 when on, as a number or as the text "1".
inline bool switchIsOn(const DataRecord &record)
{
    return record.Number.toText() == QLatin1String("1");
}

// Record 20: true when sales are not taxed, false when they are, nullopt for
// any other value, which leaves the "&Tax" button as it was.
inline std::optional<bool> noTaxFlag(const DataRecord &record)
{
    const QString flag = record.Number.toText();
    if (flag == QLatin1String("1"))
        return true;
    if (flag == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace HeaderRecord
