#pragma once

#include "QueryKinds.h"
#include "ReportList.h"

#include "datafile/FileError.h"

#include <QList>
#include <QString>

#include <optional>

// The query engine of the report builders: one read of the datafile collects
// the chosen property of every record of the kind, the selection runs in
// memory, and each selected value is labelled with a record of its own.
namespace QueryEngine {

// The property values of the records of one kind, in file order, with the
// names that label them in a report.
struct Collected {
    QList<double> values;
    // The entries as read, followed by the text of every name stored as a
    // number, and where the name of value i is among these bytes.
    QByteArray bytes;
    struct Span {
        qsizetype start;
        qsizetype length;
    };
    QList<Span> names;

    QByteArrayView nameBytes(qsizetype i) const;
};

// Reads every entry of the datafile in one read. Money is carried as a double of the
// exact amount, whole figures rounded to integers, durations in milliseconds.
Result<Collected> collect(const QString &datafilePath, ReportKind kind, int property);

// The selection, already labelled: for each selected value in selection
// order, the index (into `values`) of the record that labels it. A record
// labels at most one value; equal values take their records in file order.
//  - absolute: every value passing the comparison with `value`, in file order;
//  - relative: the highest (comparison 1) or lowest (2) `value` values in
//    ascending order, followed by every other value equal to the one at the
//    cut; all values, ascending, when there are fewer than `value`.
QList<qsizetype> select(const QList<double> &values, int mode, int comparison, double value);

// The value of a text box as the engine compares it: money for the money
// property in absolute mode, milliseconds for a duration in absolute mode,
// otherwise the number. nullopt when the text is none of these.
std::optional<double> convertValue(ReportKind kind, int property, int mode, const QString &text);

// The whole query: convert, collect, select, label. A value the engine cannot
// read, or a property the kind does not have, selects nothing; a datafile
// that cannot be read, or a record that cannot be decoded, gives its error
// and no lines. The lines are in selection order.
Result<ReportList> run(const QString &datafilePath, ReportKind kind, int property, int mode,
                       int comparison, const QString &value);

} // namespace QueryEngine

// The engines of the three builders. False, with no lines, when nothing
// matched or the query failed.
bool RunItemQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                  qint16 comparison, const QString &value);
bool RunCreditQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                    qint16 comparison, const QString &value);
bool RunCashierQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                     qint16 comparison, const QString &value);
