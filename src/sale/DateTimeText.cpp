#include "DateTimeText.h"

#include "datafile/MoneyText.h"

#include <QRegularExpression>

namespace Purchase {

QString dateTimeText(const QDateTime &now)
{
    const QLocale locale = MoneyText::locale();
    // The long time without its time zone: "9:05:00 AM".
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(zone);
    // Bills and logs are kept for years: the year has all four digits.
    static const QRegularExpression year(QStringLiteral("y+"));
    QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    dateFormat.replace(year, QStringLiteral("yyyy"));
    return locale.toString(now.date(), dateFormat) + QLatin1Char(' ')
           + locale.toString(now.time(), timeFormat.trimmed());
}

} // namespace Purchase
