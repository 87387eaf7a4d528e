#pragma once

#include <QDateTime>
#include <QString>

namespace Purchase {

// The date and time of the log and the bill: the short date and the long
// time of the locale, without a time zone, one blank between.
QString dateTimeText(const QDateTime &now);

} // namespace Purchase
