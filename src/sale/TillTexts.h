#pragma once

#include "datafile/BillNotes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The texts of the till's own jobs besides a sale.
namespace TillTexts {

// The print job of a completed sale: "Tallybird bill #12".
QString billJobName(int transaction);
// The log's record of the drawer opened without a sale.
QStringList noSaleEntry(const QString &cashierName, const QDateTime &now);
// A bill to try the printer with: the shop's header and footer around an item
// line as long as the longest a roll must take.
QStringList testBill(const BillNotes &notes, const QString &cashierName, const QDateTime &now);

} // namespace TillTexts
