#pragma once

#include "FieldValue.h"

#include <QDate>
#include <QString>

#include <array>

// Fixed numbers of the datafile format.
constexpr int RecordLength = 128;
constexpr int FieldCount = 13;
constexpr int HeaderRecords = 20;
constexpr int FirstEntryRecord = 21;
constexpr int MaxRecords = 32764; // 20 header records + 32,744 entries
constexpr int MaxEntries = MaxRecords - HeaderRecords;
constexpr int DatabaseFullRecord = MaxRecords + 1; // NextFreeRecord on a full file
constexpr int MaxForeignCurrencies = 4;
constexpr int MaxPickListEntries = 32767;

inline const QString SharedMarker = QStringLiteral("***");
inline const QString CashierMarker = QStringLiteral("*+*");

enum class RecordKind { Free, Item, Customer, Cashier };

// The one record type of the datafile: 13 fields whose meaning depends on the
// record's kind (see the field table in DataRecord.cpp).
struct DataRecord {
    FieldValue Name;       // 0
    FieldValue Price;      // 1
    FieldValue Number;     // 2
    FieldValue Notes;      // 3
    FieldValue Sold;       // 4
    FieldValue Stock;      // 5
    FieldValue Remaining;  // 6
    FieldValue SpareA;     // 7
    FieldValue SpareB;     // 8
    FieldValue SpareC;     // 9
    FieldValue SpareD;     // 10
    FieldValue Reserved11; // 11
    FieldValue Reserved12; // 12

    FieldValue &field(int index);
    const FieldValue &field(int index) const;

    // The kind told by field 0, for records at FirstEntryRecord or later.
    RecordKind kind() const;
    bool isItem() const { return kind() == RecordKind::Item; }
    bool isCustomer() const { return kind() == RecordKind::Customer; }
    bool isCashier() const { return kind() == RecordKind::Cashier; }

    bool operator==(const DataRecord &o) const;
};

// Field 0 of a record decides its kind: "***" customer, "*+*" cashier,
// empty value or "" free, anything else an item.
RecordKind kindOfName(const FieldValue &name);

// The 20 header records of a new datafile; record 7 carries `today`.
std::array<DataRecord, HeaderRecords> newHeaderRecords(const QDate &today);
