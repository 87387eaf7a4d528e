#pragma once

#include <QtGlobal>

#include <compare>
#include <limits>
#include <optional>
#include <string_view>

// A money amount as the datafile stores it: a signed count of ten-thousandths.
class Currency
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(qint64 tenThousandths)
    {
        Currency c;
        c.m_raw = tenThousandths;
        return c;
    }
    static constexpr Currency fromUnits(qint64 units) { return fromRaw(units * Scale); }
    // The largest amount the datafile holds; the smallest is its negative less
    // one ten-thousandth.
    static constexpr Currency max() { return fromRaw(std::numeric_limits<qint64>::max()); }
    // Rounds half to even at the fourth decimal place. Values outside the
    // representable range saturate; NaN gives 0.
    static Currency fromDouble(double value);
    // The same, but nullopt for a value outside the representable range or NaN.
    static std::optional<Currency> fromDoubleInRange(double value);
    // Reads a plain decimal such as "-1234.56789" or "1.5e3" (ASCII digits,
    // '.' as the decimal point) exactly, rounding half to even; saturates like
    // fromDouble. nullopt when the text is not such a number.
    static std::optional<Currency> fromDecimal(std::string_view text);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }

    // nullopt where the exact result is outside the representable range.
    static constexpr std::optional<Currency> sum(Currency a, Currency b)
    {
        qint64 raw = 0;
        if (__builtin_add_overflow(a.m_raw, b.m_raw, &raw))
            return std::nullopt;
        return fromRaw(raw);
    }
    static constexpr std::optional<Currency> difference(Currency a, Currency b)
    {
        qint64 raw = 0;
        if (__builtin_sub_overflow(a.m_raw, b.m_raw, &raw))
            return std::nullopt;
        return fromRaw(raw);
    }

    // The operators saturate rather than wrap round to an amount of the other
    // sign. Where a result may leave the range, check it with sum() or
    // difference() and refuse the change instead.
    constexpr Currency operator-() const { return difference(Currency(), *this).value_or(max()); }
    constexpr Currency operator+(Currency o) const
    {
        return sum(*this, o).value_or(o.m_raw < 0 ? fromRaw(Min) : max());
    }
    constexpr Currency operator-(Currency o) const
    {
        return difference(*this, o).value_or(o.m_raw > 0 ? fromRaw(Min) : max());
    }
    constexpr Currency &operator+=(Currency o) { return *this = *this + o; }
    constexpr Currency &operator-=(Currency o) { return *this = *this - o; }
    constexpr auto operator<=>(const Currency &) const = default;

private:
    static constexpr qint64 Min = std::numeric_limits<qint64>::min();
    qint64 m_raw = 0;
};
