#pragma once

#include <QDateTime>
#include <QString>

namespace Purchase {

// The date and time of the log and the bill: the short date of the locale
// with a four-digit year and its long time without a time zone, one blank
// between.
QString dateTimeText(const QDateTime &now);

} // namespace Purchase
