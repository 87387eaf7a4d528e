#include "FieldValue.h"

#include "MoneyText.h"
#include "OleDate.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

// Exact: "10.7", "-0.0005", "12"; never through a double.
QString currencyText(qint64 raw)
{
    const bool negative = raw < 0;
    const quint64 magnitude = negative ? 0 - quint64(raw) : quint64(raw);
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / Currency::Scale);
    quint64 fraction = magnitude % Currency::Scale;
    if (fraction == 0)
        return text;
    int digits = 4;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    return text + MoneyText::locale().decimalPoint()
           + QStringLiteral("%1").arg(fraction, digits, 10, QLatin1Char('0'));
}

// The short date, with the time when there is one; a value without a day
// (whole part 0) is a time of day alone.
QString dateText(double days)
{
    const QDateTime dt = OleDate::toDateTime(days);
    if (!dt.isValid())
        return MoneyText::numberText(days);
    const QLocale loc = MoneyText::locale();

    QString dateFormat = loc.dateFormat(QLocale::ShortFormat);
    if (!dateFormat.contains(QLatin1String("yyyy")))
        dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QString timeFormat = loc.timeFormat(QLocale::ShortFormat);
    if (!timeFormat.contains(QLatin1String("ss")))
        timeFormat.replace(QLatin1String("mm"), QLatin1String("mm:ss"));

    const bool hasDay = std::trunc(days) != 0;
    const bool hasTime = dt.time().msecsSinceStartOfDay() != 0;
    if (!hasDay)
        return loc.toString(dt.time(), timeFormat);
    if (!hasTime)
        return loc.toString(dt.date(), dateFormat);
    return loc.toString(dt.date(), dateFormat) + QLatin1Char(' ')
           + loc.toString(dt.time(), timeFormat);
}

} // namespace

FieldValue FieldValue::fromInt16(qint16 v)
{
    FieldValue f;
    f.m_type = Type::Int16;
    f.m_value = qint64(v);
    return f;
}

FieldValue FieldValue::fromInt32(qint32 v)
{
    FieldValue f;
    f.m_type = Type::Int32;
    f.m_value = qint64(v);
    return f;
}

FieldValue FieldValue::fromDouble(double v)
{
    FieldValue f;
    f.m_type = Type::Double;
    f.m_value = v;
    return f;
}

FieldValue FieldValue::fromCurrency(Currency v)
{
    FieldValue f;
    f.m_type = Type::Currency;
    f.m_value = v.raw();
    return f;
}

FieldValue FieldValue::fromDate(double oleDays)
{
    FieldValue f;
    f.m_type = Type::Date;
    f.m_value = oleDays;
    return f;
}

FieldValue FieldValue::fromText(const QString &v)
{
    FieldValue f;
    f.m_type = Type::Text;
    f.m_value = v;
    return f;
}

FieldValue FieldValue::fromNumber(double v)
{
    if (std::isfinite(v) && std::trunc(v) == v) {
        if (v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max())
            return fromInt16(qint16(v));
        if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
            return fromInt32(qint32(v));
    }
    return fromDouble(v);
}

QString FieldValue::toText() const
{
    switch (m_type) {
    case Type::Empty:
        return QString();
    case Type::Int16:
    case Type::Int32:
        return QString::number(std::get<qint64>(m_value));
    case Type::Double:
        return MoneyText::numberText(std::get<double>(m_value));
    case Type::Currency:
        return currencyText(std::get<qint64>(m_value));
    case Type::Date:
        return dateText(std::get<double>(m_value));
    case Type::Text:
        return std::get<QString>(m_value);
    }
    return QString();
}

double FieldValue::toNumber() const
{
    switch (m_type) {
    case Type::Empty:
        return 0.0;
    case Type::Int16:
    case Type::Int32:
        return double(std::get<qint64>(m_value));
    case Type::Double:
    case Type::Date:
        return std::get<double>(m_value);
    case Type::Currency:
        return double(std::get<qint64>(m_value)) / Currency::Scale;
    case Type::Text:
        return MoneyText::leadingNumber(std::get<QString>(m_value));
    }
    return 0.0;
}

Currency FieldValue::toCurrency() const
{
    switch (m_type) {
    case Type::Currency:
        return Currency::fromRaw(std::get<qint64>(m_value));
    case Type::Int16:
    case Type::Int32:
        return Currency::fromUnits(std::get<qint64>(m_value));
    default:
        return Currency::fromDouble(toNumber());
    }
}

double FieldValue::dateValue() const
{
    return m_type == Type::Date ? std::get<double>(m_value) : 0.0;
}

bool FieldValue::operator==(const FieldValue &o) const
{
    if (m_type != o.m_type)
        return false;
    switch (m_type) {
    case Type::Empty:
        return true;
    case Type::Double:
    case Type::Date:
        // Bit for bit, so that a value read back equals the one written, NaN included.
        return std::bit_cast<quint64>(std::get<double>(m_value))
               == std::bit_cast<quint64>(std::get<double>(o.m_value));
    default:
        return m_value == o.m_value;
    }
}
