#pragma once

#include "ReportList.h"

#include <QString>

// The words of the report window, as ReadyDisplay sets them.
struct ReportDisplay {
    QString caption; // "Item Report"
    bool crossReferenced = false;
    QString joinWord;   // "AND" / "OR" between the two query lists
    QString equalsSign; // "=" before the final list
    QString queryAHeading = QStringLiteral("Query A Reults");
    QString queryBHeading = QStringLiteral("Query B Results");
    QString finalHeading = QStringLiteral("Final Query Results");
    QString sentenceA; // sentence of Query A
    QString sentenceB; // sentence of Query B, or of the only query
};

// A finished report: the three lists, each kept sorted, and its words.
struct ReportContent {
    ReportList queryALines; // Query A lines
    ReportList queryBLines; // Query B lines, or the lines of the only query
    ReportList finalNames;  // the names the two queries combine to
    ReportDisplay display;
};

// Adds lines to a list and keeps it sorted; the lines of a query are taken
// over whole when the list is still empty.
void appendReportLines(ReportList &list, ReportList &&lines);

// The name part of a report line: the text before its first "-", "" when it
// has none.
QStringView reportKey(QStringView line);

// The final list from the two query lists: with AND (`andOr` 1) a name once
// for every pair of lines that share it, with OR (0) every name of Query A
// and the names of Query B not yet in the list. Sorted.
ReportList Sync(const ReportList &queryA, const ReportList &queryB, int andOr);

// The words for one query (`crossReferenced` false) or two.
ReportDisplay ReadyDisplay(const QString &sentenceA, bool crossReferenced, const QString &kindWord,
                           const QString &sentenceB, int andOr);

// An AND of two lists in which many lines share a name would list that name
// once per pair, which for names cut short at a "-" runs into the hundreds of
// millions; past this many lines each name is listed once per line of the
// list that has more of it.
constexpr qsizetype MaxFinalLines = 100000;
