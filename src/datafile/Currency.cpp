#include "Currency.h"

#include "DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr qint64 MaxRaw = std::numeric_limits<qint64>::max();
constexpr qint64 MinRaw = std::numeric_limits<qint64>::min();

Currency saturated(bool negative)
{
    return Currency::fromRaw(negative ? MinRaw : MaxRaw);
}

// The value is 0.d1d2d3... x 10^pointPos, with `digits` holding d1d2d3...
// Rounds half to even at the fourth decimal place, on the decimal digits
// themselves, so no binary representation error can tip a tie. nullopt when
// the result is out of range.
std::optional<Currency> roundDecimal(bool negative, std::string_view digits, long pointPos)
{
    const size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string_view::npos)
        return Currency();
    pointPos -= long(firstNonZero);
    digits.remove_prefix(firstNonZero);

    // Digits left of `whole` are whole ten-thousandths; the rest decide the rounding.
    const long whole = pointPos + 4;
    if (whole > 19)
        return std::nullopt;

    quint64 magnitude = 0;
    for (long i = 0; i < whole; ++i)
        magnitude = magnitude * 10 + (i < long(digits.size()) ? digits[i] - '0' : 0);

    bool roundUp = false;
    if (whole >= 0 && whole < long(digits.size())) {
        const int next = digits[whole] - '0';
        const bool restNonZero =
            digits.find_first_not_of('0', size_t(whole) + 1) != std::string_view::npos;
        roundUp = next > 5 || (next == 5 && (restNonZero || (magnitude & 1)));
    }
    magnitude += roundUp ? 1 : 0;

    if (negative) {
        if (magnitude > quint64(MaxRaw) + 1)
            return std::nullopt;
        return Currency::fromRaw(qint64(0 - magnitude));
    }
    if (magnitude > quint64(MaxRaw))
        return std::nullopt;
    return Currency::fromRaw(qint64(magnitude));
}

} // namespace

Currency Currency::fromDouble(double value)
{
    if (std::isnan(value))
        return Currency();
    return fromDoubleInRange(value).value_or(saturated(value < 0));
}

std::optional<Currency> Currency::fromDoubleInRange(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;

    // Most doubles handed in are amounts read out of the file, exactly the
    // double nearest some whole number of ten-thousandths; below 1e10 that
    // number is what the rounding below would give, without printing digits.
    if (std::fabs(value) < 1e10) {
        const double raw = std::nearbyint(value * Scale);
        if (raw / Scale == value)
            return fromRaw(qint64(raw));
    }

    // A double carries about 16 significant digits and arithmetic leaves noise
    // in the last of them: 3.33 * 0.075 is 0.24974999999999997, not the tie
    // 0.24975. Fifteen digits reach the fifth decimal below 1e10, so there
    // the noise is dropped before rounding; above, the shortest form that
    // reads back as the same double is the best guess at the intended value.
    const DecimalDigits d = DecimalDigits::of(value, std::fabs(value) < 1e10 ? 14 : -1);
    return roundDecimal(d.negative, d.digits, long(d.exponent) + 1);
}

std::optional<Currency> Currency::fromDecimal(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';

    std::string digits;
    long pointPos = 0;
    bool seenPoint = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits.push_back(c);
            anyDigit = true;
            if (!seenPoint)
                ++pointPos;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;

    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            expNegative = text[i++] == '-';
        if (i == text.size())
            return std::nullopt;
        long exponent = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            // Past a few thousand the result is 0 or saturated either way.
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
        }
        pointPos += expNegative ? -exponent : exponent;
    }
    if (i != text.size())
        return std::nullopt;
    return roundDecimal(negative, digits, pointPos).value_or(saturated(negative));
}
