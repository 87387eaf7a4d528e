#pragma once

#include "datafile/EntryFigures.h"

#include <QList>
#include <QString>

#include <optional>

// The three kinds of record a report can select, and what differs between
// them: the properties offered, the name shown, the value checks.
enum class ReportKind { Item, Credit, Cashier };

// The properties a report selects by, as their option buttons name them.
enum class ReportProperty {
    ItemCost,
    ItemsSold,
    RemainingInventory,
    TotalInventory,
    Balance,
    NumberOfVisits,
    TotalSpent,
    AmountSold,
    SalesPerformed,
    LoggedOnTime,
};

// A query compares with a value, or takes the highest or lowest so many.
enum class QueryMode { Absolute, Relative };

// In relative mode GreaterThan is "Highest" and LessThan "Lowest"; the other
// three are not offered there.
enum class Comparison { GreaterThan, LessThan, GreaterOrEqual, LessOrEqual, EqualTo };

struct QueryProperty {
    ReportProperty property = ReportProperty::ItemCost;
    QString caption; // caption of the option button
    EntryFigure figure = EntryFigure::ItemPrice;
    QString sentence; // the first piece of the query sentence
};

struct QueryKind {
    ReportKind kind = ReportKind::Item;
    QString caption;                 // caption of the builder window
    QString kindWord;                // "Item", "Credit", "Cashier"
    QList<QueryProperty> properties; // in the order of their buttons
};

const QueryKind &queryKind(ReportKind kind);
const QueryProperty &queryProperty(ReportProperty property);
ReportKind kindOf(ReportProperty property);
// The money property each builder offers first, whose value box holds an
// amount of money in absolute mode. Total Spent is money too but is compared
// as the number typed.
bool isCurrencyProperty(ReportProperty property);

// The numbered codes of a builder's property (1 for its first one), the
// modes (1 absolute, 2 relative) and the comparisons (1 to 5, in the order
// above); nullopt for a code the kind has not.
std::optional<ReportProperty> propertyOfCode(ReportKind kind, int code);
std::optional<QueryMode> modeOfCode(int code);
std::optional<Comparison> comparisonOfCode(int code);
