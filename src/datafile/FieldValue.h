#pragma once

#include "Currency.h"

#include <QString>

#include <variant>

// One loosely typed field of a record. The tag values are those written to disk.
class FieldValue
{
public:
    enum class Type : quint16 {
        Empty = 0,
        Int16 = 2,
        Int32 = 3,
        Double = 5,
        Currency = 6,
        Date = 7,
        Text = 8,
    };

    FieldValue() = default; // empty
    static FieldValue fromInt16(qint16 v);
    static FieldValue fromInt32(qint32 v);
    static FieldValue fromDouble(double v);
    static FieldValue fromCurrency(Currency v);
    static FieldValue fromDate(double oleDays);
    static FieldValue fromText(const QString &v);
    // The smallest integer tag that holds the value (16-bit, then 32-bit),
    // else a double: how counters updated by arithmetic are stored.
    static FieldValue fromNumber(double v);

    Type type() const { return m_type; }
    bool isEmpty() const { return m_type == Type::Empty; }
    bool isText() const { return m_type == Type::Text; }

    // Text form: "" for empty, the plain decimal rendering for numbers and
    // currency ("10.7"), the short date for dates, the text itself for text.
    QString toText() const;
    // Numeric value: the number itself, or the leading numeric part of a text
    // (0 for empty and for a text that does not start with a number).
    double toNumber() const;
    // As toNumber, rounded half-even to a currency amount; a currency value
    // is returned exactly.
    Currency toCurrency() const;
    // The raw payloads, valid for their own tag only.
    double dateValue() const;

    // Compares the field's text form with a constant, as every reader does.
    bool textEquals(const QString &s) const { return toText() == s; }

    bool operator==(const FieldValue &o) const;

private:
    Type m_type = Type::Empty;
    std::variant<std::monostate, qint64, double, QString> m_value;
};
