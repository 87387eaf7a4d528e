#pragma once

#include "DataRecord.h"

struct ItemTexts;
struct ItemCheck;

// An item record read and written by its meaning. Fields the item does not
// use keep what the record held.
class ItemEntry
{
public:
    ItemEntry() = default;
    explicit ItemEntry(DataRecord record) : m_record(std::move(record)) {}

    QString name() const { return m_record.Name.toText(); }
    void setName(const QString &name) { m_record.Name = FieldValue::fromText(name); }
    Currency price() const { return m_record.Price.toCurrency(); }
    void setPrice(Currency price) { m_record.Price = FieldValue::fromCurrency(price); }
    QString number() const { return m_record.Number.toText(); }
    void setNumber(const QString &number) { m_record.Number = FieldValue::fromText(number); }
    double sold() const { return m_record.Sold.toNumber(); }
    void setSold(double sold) { m_record.Sold = FieldValue::fromNumber(sold); }
    double stock() const { return m_record.Stock.toNumber(); }
    void setStock(double stock) { m_record.Stock = FieldValue::fromNumber(stock); }
    double remaining() const { return m_record.Remaining.toNumber(); }
    void setRemaining(double remaining) { m_record.Remaining = FieldValue::fromNumber(remaining); }

    const DataRecord &record() const { return m_record; }

    // An item's name may not be "", a record marker, or begin like a bill's
    // summary lines.
    static bool isValidName(const QString &name);

    // The item the texts describe, checked as the item browser checks its
    // boxes before a save: a valid name, a numeric number and price, whole
    // counts (an empty one is 0), and sold + remaining = stock.
    static ItemCheck fromTexts(const ItemTexts &texts);

    // A new item with nothing sold yet.
    static ItemEntry make(const QString &name, const QString &number, Currency price, double stock);

private:
    DataRecord m_record;
};

// Where scans find an item's name and number.
constexpr int ItemNameField = 0;
constexpr int ItemNumberField = 2;

// An item's texts as the item browser's boxes or a catalogue's columns hold
// them; the price in the currency format or as a plain number.
struct ItemTexts {
    QString name;
    QString number;
    QString price;
    QString sold;
    QString stock;
    QString remaining;
};

// What fromTexts refuses, in the order it checks.
enum class ItemFault { None, Name, Number, Price, Sold, Stock, Remaining, Unbalanced };

struct ItemCheck {
    ItemFault fault = ItemFault::None;
    ItemEntry item; // only when fault is None
};
