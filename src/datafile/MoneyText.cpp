#include "MoneyText.h"

#include "DecimalDigits.h"

#include <QStringView>

#include <charconv>
#include <cmath>
#include <string>

namespace {

// Digits after the decimal point in the locale's currency format ("$0.00": 2).
int currencyDigits(const QLocale &loc)
{
    QString zero = loc.toCurrencyString(0.0);
    zero.remove(loc.currencySymbol());
    const qsizetype point = zero.indexOf(loc.decimalPoint());
    if (point < 0)
        return 0;
    int digits = 0;
    for (qsizetype i = point + loc.decimalPoint().size(); i < zero.size() && zero[i].isDigit(); ++i)
        ++digits;
    return std::min(digits, 4);
}

// Sizes of the rightmost digit group and of the groups left of it: 3 and 3 in
// most locales, 3 and 2 where amounts are written 12,34,567.
struct Grouping {
    bool used = false;
    int least = 3;
    int higher = 3;
};

Grouping groupingOf(QLocale loc)
{
    loc.setNumberOptions(QLocale::DefaultNumberOptions);
    Grouping g;
    const QString sep = loc.groupSeparator();
    if (sep.isEmpty())
        return g;
    const QStringList parts = loc.toString(qlonglong(1234567890123LL)).split(sep);
    if (parts.size() < 2)
        return g;
    g.used = true;
    g.least = int(parts.last().size());
    g.higher = parts.size() > 2 ? int(parts[parts.size() - 2].size()) : g.least;
    return g;
}

bool validGroups(const QList<int> &groups, const Grouping &g)
{
    if (!g.used)
        return false;
    if (groups.last() != g.least)
        return false;
    for (qsizetype i = 1; i + 1 < groups.size(); ++i) {
        if (groups[i] != g.higher)
            return false;
    }
    return groups.first() >= 1 && groups.first() <= g.higher;
}

bool isMinus(QStringView s, const QLocale &loc, qsizetype *len)
{
    *len = 1;
    if (s.startsWith(u'-') || s.startsWith(QChar(0x2212)))
        return true;
    const QString neg = loc.negativeSign();
    if (!neg.isEmpty() && s.startsWith(neg)) {
        *len = neg.size();
        return true;
    }
    return false;
}

bool isPlus(QStringView s, const QLocale &loc, qsizetype *len)
{
    *len = 1;
    if (s.startsWith(u'+'))
        return true;
    const QString pos = loc.positiveSign();
    if (!pos.isEmpty() && s.startsWith(pos)) {
        *len = pos.size();
        return true;
    }
    return false;
}

bool endsWithSign(QStringView s, const QLocale &loc, bool *negative, qsizetype *len)
{
    for (const QString &minus : {QStringLiteral("-"), QString(QChar(0x2212)), loc.negativeSign()}) {
        if (!minus.isEmpty() && s.endsWith(minus)) {
            *negative = true;
            *len = minus.size();
            return true;
        }
    }
    for (const QString &plus : {QStringLiteral("+"), loc.positiveSign()}) {
        if (!plus.isEmpty() && s.endsWith(plus)) {
            *negative = false;
            *len = plus.size();
            return true;
        }
    }
    return false;
}

// The text as a plain ASCII decimal ("-1234.5e3"), or nothing when it is not a
// number in the locale's formats.
std::optional<std::string> normalize(const QString &text)
{
    const QLocale loc = MoneyText::locale();
    const QString symbols[] = {loc.currencySymbol(QLocale::CurrencySymbol),
                               loc.currencySymbol(QLocale::CurrencyIsoCode)};

    QStringView s = QStringView(text).trimmed();
    bool open = false;
    bool close = false;
    bool haveSign = false;
    bool negative = false;
    bool haveSymbol = false;

    auto takeSymbolFront = [&]() {
        for (const QString &sym : symbols) {
            if (!sym.isEmpty() && s.startsWith(sym)) {
                s = s.mid(sym.size()).trimmed();
                return true;
            }
        }
        return false;
    };
    auto takeSymbolBack = [&]() {
        for (const QString &sym : symbols) {
            if (!sym.isEmpty() && s.endsWith(sym)) {
                s = s.chopped(sym.size()).trimmed();
                return true;
            }
        }
        return false;
    };

    // Signs, parentheses and the currency symbol may stand on either side of
    // the digits, in any order, each at most once.
    for (;;) {
        qsizetype len = 0;
        if (s.isEmpty())
            break;
        if (!open && s.startsWith(u'(')) {
            open = true;
            s = s.mid(1).trimmed();
        } else if (!haveSign && isMinus(s, loc, &len)) {
            haveSign = negative = true;
            s = s.mid(len).trimmed();
        } else if (!haveSign && isPlus(s, loc, &len)) {
            haveSign = true;
            s = s.mid(len).trimmed();
        } else if (!haveSymbol && takeSymbolFront()) {
            haveSymbol = true;
        } else {
            break;
        }
    }
    for (;;) {
        qsizetype len = 0;
        bool minus = false;
        if (s.isEmpty())
            break;
        if (!close && s.endsWith(u')')) {
            close = true;
            s = s.chopped(1).trimmed();
        } else if (!haveSign && endsWithSign(s, loc, &minus, &len)) {
            haveSign = true;
            negative = minus;
            s = s.chopped(len).trimmed();
        } else if (!haveSymbol && takeSymbolBack()) {
            haveSymbol = true;
        } else {
            break;
        }
    }
    if (open != close || (open && haveSign) || s.isEmpty())
        return std::nullopt;
    if (open)
        negative = true;

    const QString point = loc.decimalPoint();
    const QString group = loc.groupSeparator();
    // Where the group separator is a space, people type an ordinary one.
    const bool spaceGroups = group.size() == 1 && group[0].isSpace();

    std::string intDigits;
    QList<int> groups;
    int groupLen = 0;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isDigit()) {
            intDigits.push_back(char('0' + c.digitValue()));
            ++groupLen;
            ++i;
        } else if (!group.isEmpty() && s.mid(i).startsWith(group)) {
            if (groupLen == 0)
                return std::nullopt;
            groups.append(groupLen);
            groupLen = 0;
            i += group.size();
        } else if (spaceGroups && c.isSpace()) {
            if (groupLen == 0)
                return std::nullopt;
            groups.append(groupLen);
            groupLen = 0;
            ++i;
        } else {
            break;
        }
    }
    if (!groups.isEmpty()) {
        groups.append(groupLen);
        if (groupLen == 0 || !validGroups(groups, groupingOf(loc)))
            return std::nullopt;
    }

    std::string fracDigits;
    if (i < s.size() && s.mid(i).startsWith(point)) {
        i += point.size();
        for (; i < s.size() && s[i].isDigit(); ++i)
            fracDigits.push_back(char('0' + s[i].digitValue()));
    }
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt;

    std::string exponent;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
            exponent.push_back(char(s[i++].unicode()));
        const size_t signLen = exponent.size();
        for (; i < s.size() && s[i].isDigit(); ++i)
            exponent.push_back(char('0' + s[i].digitValue()));
        if (exponent.size() == signLen)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;

    std::string plain = negative ? "-" : "";
    plain += intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty())
        plain += "." + fracDigits;
    if (!exponent.empty())
        plain += "e" + exponent;
    return plain;
}

std::optional<double> toDouble(const std::string &plain)
{
    double value = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

} // namespace

namespace MoneyText {

QLocale locale()
{
    const QLocale loc;
    if (loc.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return loc;
}

QString formatCurrency(Currency amount)
{
    return CurrencyFormat()(amount);
}

CurrencyFormat::CurrencyFormat()
    : m_locale(locale()), m_symbol(m_locale.currencySymbol()), m_digits(currencyDigits(m_locale))
{
    // A sample whose digits cannot be mistaken for the symbol's.
    quint64 sample = 123456789;
    for (int i = 0; i < m_digits; ++i)
        sample *= 10;
    double value = double(sample);
    for (int i = 0; i < m_digits; ++i)
        value /= 10;
    const QString pattern = m_locale.toCurrencyString(value, m_symbol, m_digits);
    const QString shown = number(sample);
    const qsizetype at = pattern.indexOf(shown);
    if (at >= 0 && pattern.indexOf(shown, at + 1) < 0) {
        m_prefix = pattern.left(at);
        m_suffix = pattern.mid(at + shown.size());
        m_exact = true;
    }
}

QString CurrencyFormat::number(quint64 units) const
{
    quint64 scale = 1;
    for (int i = 0; i < m_digits; ++i)
        scale *= 10;
    QString text = m_locale.toString(units / scale);
    if (m_digits > 0) {
        QLocale plain = m_locale;
        plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
        const QString fraction = plain.toString(units % scale);
        text += m_locale.decimalPoint()
                + QString(m_digits - fraction.size(), m_locale.zeroDigit().front()) + fraction;
    }
    return text;
}

QString CurrencyFormat::operator()(Currency amount) const
{
    // Round to the shown digits on the exact amount, half away from zero, so
    // that the binary double handed to QLocale cannot tip a half cent.
    qint64 unit = 1;
    for (int i = m_digits; i < 4; ++i)
        unit *= 10;
    const bool negative = amount.raw() < 0;
    const quint64 magnitude = negative ? 0 - quint64(amount.raw()) : quint64(amount.raw());
    quint64 units = magnitude / quint64(unit);
    if ((magnitude % quint64(unit)) * 2 >= quint64(unit))
        ++units;

    QString text;
    if (m_exact) {
        text = m_prefix + number(units) + m_suffix;
    } else {
        double shown = double(units);
        for (int i = 0; i < m_digits; ++i)
            shown /= 10;
        text = m_locale.toCurrencyString(shown, m_symbol, m_digits);
    }
    // A minus sign would break bill lines, which are split at their last "-".
    return negative && units != 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

std::optional<double> parseNumber(const QString &text)
{
    const auto plain = normalize(text);
    if (!plain)
        return std::nullopt;
    return toDouble(*plain);
}

std::optional<Currency> parseCurrency(const QString &text)
{
    const auto plain = normalize(text);
    if (!plain || !toDouble(*plain))
        return std::nullopt;
    return Currency::fromDecimal(*plain);
}

bool isNumeric(const QString &text)
{
    return parseNumber(text).has_value();
}

bool mayBecomeNumber(const QString &text)
{
    for (const char *rest : {"0", "00", "000", "0)", "00)", "000)", ")"})
        if (isNumeric(text + QLatin1String(rest)))
            return true;
    return false;
}

std::optional<QString> plainNumber(const QString &text)
{
    const auto plain = normalize(text);
    if (!plain || !toDouble(*plain))
        return std::nullopt;
    return QString::fromStdString(*plain);
}

bool isWholeNumber(const QString &text)
{
    const auto value = parseNumber(text);
    return value && std::trunc(*value) == *value;
}

double leadingNumber(const QString &text)
{
    const QLocale loc = locale();
    const QString point = loc.decimalPoint();
    const QStringView s(text);

    qsizetype i = 0;
    while (i < s.size() && s[i].isSpace())
        ++i;
    std::string plain;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        if (s[i] == u'-')
            plain.push_back('-');
        ++i;
    }
    bool anyDigit = false;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        plain.push_back(char(s[i].unicode()));
        anyDigit = true;
    }
    // A '.' is read as the decimal point in every locale, so texts stored by
    // earlier versions keep their value.
    qsizetype pointLen = 0;
    if (i < s.size() && s[i] == u'.')
        pointLen = 1;
    else if (s.mid(i).startsWith(point))
        pointLen = point.size();
    if (pointLen > 0) {
        qsizetype j = i + pointLen;
        std::string frac;
        for (; j < s.size() && s[j] >= u'0' && s[j] <= u'9'; ++j)
            frac.push_back(char(s[j].unicode()));
        if (!frac.empty() || anyDigit) {
            if (!anyDigit)
                plain.push_back('0');
            if (!frac.empty())
                plain += "." + frac;
            anyDigit = true;
            i = j;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == u'-' || s[j] == u'+'))
            exponent.push_back(char(s[j++].unicode()));
        const size_t before = exponent.size();
        for (; j < s.size() && s[j] >= u'0' && s[j] <= u'9'; ++j)
            exponent.push_back(char(s[j].unicode()));
        if (exponent.size() > before)
            plain += exponent;
    }
    // An exponent past the range of a double makes no sensible field value.
    return toDouble(plain).value_or(0.0);
}

QString numberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    if (value == 0)
        return QStringLiteral("0");
    if (std::trunc(value) == value && std::fabs(value) < 1e15)
        return QString::number(qint64(value));

    DecimalDigits d = DecimalDigits::of(value, 14);
    const bool negative = d.negative;
    std::string &digits = d.digits;
    const int exponent = d.exponent;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const QString point = locale().decimalPoint();
    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent < -5 || exponent >= 15) {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1)
            out += point + QString::fromLatin1(digits.data() + 1, qsizetype(digits.size() - 1));
        out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
        return out;
    }
    if (exponent < 0) {
        out += QLatin1Char('0') + point + QString(-exponent - 1, QLatin1Char('0'));
        out += QString::fromLatin1(digits.data(), qsizetype(digits.size()));
        return out;
    }
    const size_t intLen = size_t(exponent) + 1;
    if (digits.size() <= intLen) {
        out += QString::fromLatin1(digits.data(), qsizetype(digits.size()));
        out += QString(qsizetype(intLen - digits.size()), QLatin1Char('0'));
        return out;
    }
    out += QString::fromLatin1(digits.data(), qsizetype(intLen)) + point;
    out += QString::fromLatin1(digits.data() + intLen, qsizetype(digits.size() - intLen));
    return out;
}

QString decimalText(Currency amount, int minDecimals)
{
    const qint64 raw = amount.raw();
    // The magnitude of the most negative amount does not fit in a qint64.
    const quint64 magnitude = raw < 0 ? quint64(-(raw + 1)) + 1 : quint64(raw);
    quint64 fraction = magnitude % quint64(Currency::Scale);
    int decimals = 4;
    while (decimals > minDecimals && fraction % 10 == 0) {
        fraction /= 10;
        --decimals;
    }
    QString text = raw < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / quint64(Currency::Scale));
    if (decimals > 0)
        text +=
            QLatin1Char('.') + QStringLiteral("%1").arg(fraction, decimals, 10, QLatin1Char('0'));
    return text;
}

} // namespace MoneyText
