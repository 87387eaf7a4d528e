#include "CashierTime.h"

#include "datafile/MoneyText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

QString FormatLoggedOnTime(double ms)
{
    // A field written by another program may hold any double; one that is
    // no count of milliseconds (NaN, infinite, or beyond 64 bits) is shown as
    // such rather than converted.
    if (!(std::fabs(ms) < 9223372036854775808.0))
        return QStringLiteral("invalid");
    const qint64 total = qint64(std::trunc(ms));
    const qint64 s = total / 1000;
    const qint64 m = s / 60;
    const qint64 h = m / 60;
    return QStringLiteral("%1:%2:%3:%4")
        .arg(h, 4, 10, QLatin1Char('0'))
        .arg(m % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 1000, 3, 10, QLatin1Char('0'));
}

double ParseLoggedOnTime(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    const auto part = [&](int i) {
        return i < parts.size() ? MoneyText::parseNumber(parts.at(i)).value_or(0) : 0.0;
    };
    return part(0) * 60 * 60 * 1000 + part(1) * 60 * 1000 + part(2) * 1000 + part(3);
}

bool isValidLoggedOnTime(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 4)
        return false;
    // Digits only: a sign or a decimal point would pass as a number but
    // make no sense as a part of a duration.
    for (const QString &p : parts)
        if (p.isEmpty() || !std::all_of(p.begin(), p.end(), [](QChar c) {
                return c >= QLatin1Char('0') && c <= QLatin1Char('9');
            }))
            return false;
    const auto value = [&](int i) { return parts.at(i).toInt(); };
    if (parts.at(0).size() < 4 || parts.at(1).size() != 2 || value(1) > 59
        || parts.at(2).size() != 2 || value(2) > 59 || parts.at(3).size() != 3)
        return false;
    // Hours run past four digits after 10,000 hours on duty; what is shown
    // must be accepted back, as long as it reads back as the same time.
    return FormatLoggedOnTime(ParseLoggedOnTime(text)) == text;
}
