#pragma once

#include "ReportList.h"

#include <QString>

// The captions of the report window, as ReadyDisplay sets them.
struct ReportDisplay {
    QString caption; // "Item Report"
    bool multi = false;
    QString Label1; // "AND" / "OR" between the first two lists
    QString Label2; // "=" before the final list
    QString Label3 = QStringLiteral("Query A Reults");
    QString Label4 = QStringLiteral("Query B Results");
    QString Label5 = QStringLiteral("Final Query Results");
    QString Label6; // sentence of Query A
    QString Label7; // sentence of Query B, or of the only query
};

// A finished report: the three lists, each kept sorted, and its captions.
struct ReportContent {
    ReportList List1; // Query A lines
    ReportList List2; // Query B lines, or the lines of the only query
    ReportList List3; // the names both queries agree on
    ReportDisplay display;
};

// Adds lines to a list and keeps it sorted.
void appendReportLines(ReportList &list, const ReportList &lines);

// The name part of a report line: the text before its first "-", "" when it
// has none.
QStringView reportKey(QStringView line);

// The final list from the two query lists: with AND (`AndOr` 1) a name once
// for every pair of lines that share it, with OR (0) every name of List1 and
// the names of List2 not yet in the list. Sorted.
ReportList Sync(const ReportList &List1, const ReportList &List2, int AndOr);

// The captions for one query (`Multi` false) or two.
ReportDisplay ReadyDisplay(const QString &TextA, bool Multi, const QString &ForWhat,
                           const QString &TextB, int AndOr);

// An AND of two lists in which many lines share a name would list that name
// once per pair, which for names cut short at a "-" runs into the hundreds of
// millions; past this many lines each name is listed once per line of the
// list that has more of it.
constexpr qsizetype MaxFinalLines = 100000;
