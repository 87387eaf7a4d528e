#pragma once

#include "QueryKinds.h"
#include "ReportList.h"

#include "datafile/FileError.h"

#include <QList>
#include <QString>

#include <optional>

// The query engine of the report builders: one read of the datafile collects
// the chosen property of every record of the kind (EntryFigures), the
// selection runs in memory, and each selected value is labelled with a
// record of its own.
namespace QueryEngine {

// The selection, already labelled: for each selected value in selection
// order, the index (into `values`) of the record that labels it. A record
// labels at most one value; equal values take their records in file order.
//  - absolute: every value passing the comparison with `value`, in file order;
//  - relative: the highest (GreaterThan) or lowest (LessThan) `value` values in
//    ascending order, followed by every other value equal to the one at the
//    cut; all values, ascending, when there are fewer than `value`.
QList<qsizetype> select(const QList<double> &values, QueryMode mode, Comparison comparison,
                        double value);

// The value of a text box as the engine compares it: money for the money
// property in absolute mode, milliseconds for a duration in absolute mode,
// otherwise the number. nullopt when the text is none of these.
std::optional<double> convertValue(ReportProperty property, QueryMode mode, const QString &text);

// The whole query: convert, collect, select, label. A value the engine cannot
// read selects nothing; a datafile that cannot be read, or a record that
// cannot be decoded, gives its error and no lines. The lines are in selection
// order.
Result<ReportList> run(const QString &datafilePath, ReportProperty property, QueryMode mode,
                       Comparison comparison, const QString &value);

} // namespace QueryEngine

// The engines of the three builders, given the numbered codes of their
// property, mode and comparison. False, with no lines, when nothing matched,
// a code is not one of the kind's, or the query failed.
bool RunItemQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                  qint16 comparison, const QString &value);
bool RunCreditQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                    qint16 comparison, const QString &value);
bool RunCashierQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                     qint16 comparison, const QString &value);
