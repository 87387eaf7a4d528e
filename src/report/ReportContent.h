#pragma once

#include <QString>
#include <QStringList>

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
    QStringList List1; // Query A lines
    QStringList List2; // Query B lines, or the lines of the only query
    QStringList List3; // the names both queries agree on
    ReportDisplay display;
};

// The lists' order: ascending alphabetical, letters compared without case.
void sortReportLines(QStringList &lines);
// Adds lines to a list and keeps it sorted.
void appendReportLines(QStringList &list, const QStringList &lines);

// The name part of a report line: the text before its first "-", "" when it
// has none.
QString reportKey(const QString &line);

// The final list from the two query lists: with AND (`AndOr` 1) a name once
// for every pair of lines that share it, with OR (0) every name of List1 and
// the names of List2 not yet in the list. Sorted.
QStringList Sync(const QStringList &List1, const QStringList &List2, int AndOr);

// The captions for one query (`Multi` false) or two.
ReportDisplay ReadyDisplay(const QString &TextA, bool Multi, const QString &ForWhat,
                           const QString &TextB, int AndOr);

// An AND of two lists in which many lines share a name would list that name
// once per pair, which for names cut short at a "-" runs into the hundreds of
// millions; past this many lines each name is listed once per line of the
// list that has more of it.
constexpr qsizetype MaxFinalLines = 100000;
