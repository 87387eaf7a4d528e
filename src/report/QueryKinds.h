#pragma once

#include "datafile/DataRecord.h"

#include <QList>
#include <QString>

// The three kinds of record a report can select, and what differs between
// them: the properties offered, the name shown, the value checks.
enum class ReportKind { Item, Credit, Cashier };

// Property, mode and comparison codes, as the builders hand them to the engine.
namespace QueryCode {
constexpr int Absolute = 1;
constexpr int Relative = 2;

constexpr int GreaterThan = 1; // "Highest" in relative mode
constexpr int LessThan = 2;    // "Lowest" in relative mode
constexpr int GreaterOrEqual = 3;
constexpr int LessOrEqual = 4;
constexpr int EqualTo = 5;

// Property 1 of every kind is a money figure.
constexpr int CurrencyProperty = 1;
} // namespace QueryCode

// How a property's field is read and how its value is written in a report line.
enum class ValueForm {
    Currency, // read as a currency amount, shown in the currency format
    Whole,    // read as a long integer, shown as the plain number
    Duration, // milliseconds, shown as "hhhh:mm:ss:mss"
};

struct QueryProperty {
    int code = 0;
    QString button;  // object name of its option button
    QString caption; // caption of the option button
    int field = 0;   // the record field read
    ValueForm form = ValueForm::Whole;
    QString sentence; // the first piece of the query sentence
};

struct QueryKind {
    ReportKind kind = ReportKind::Item;
    QString window;   // object name of the builder window
    QString caption;  // caption of the builder window
    QString kindWord; // "Item", "Credit", "Cashier"
    int nameField = 0;
    QList<QueryProperty> properties;

    bool takes(RecordKind k) const;
    // nullptr when the kind has no property of that code.
    const QueryProperty *property(int code) const;
};

const QueryKind &queryKind(ReportKind kind);
