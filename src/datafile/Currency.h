#pragma once

#include <QtGlobal>

#include <compare>
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
    // Rounds half to even at the fourth decimal place. Values outside the
    // representable range saturate; NaN gives 0.
    static Currency fromDouble(double value);
    // Reads a plain decimal such as "-1234.56789" or "1.5e3" (ASCII digits,
    // '.' as the decimal point) exactly, rounding half to even; saturates like
    // fromDouble. nullopt when the text is not such a number.
    static std::optional<Currency> fromDecimal(std::string_view text);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }

    constexpr Currency operator-() const { return fromRaw(-m_raw); }
    constexpr Currency operator+(Currency o) const { return fromRaw(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return fromRaw(m_raw - o.m_raw); }
    Currency &operator+=(Currency o)
    {
        m_raw += o.m_raw;
        return *this;
    }
    Currency &operator-=(Currency o)
    {
        m_raw -= o.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Currency &) const = default;

private:
    qint64 m_raw = 0;
};
