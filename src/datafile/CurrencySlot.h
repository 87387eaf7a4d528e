#pragma once

#include "DataRecord.h"
#include "FileError.h"

#include <QList>

// One of the four foreign-currency header records, read and written by its meaning.
class CurrencySlot
{
public:
    explicit CurrencySlot(DataRecord record) : m_record(std::move(record)) {}

    // "" for a free slot.
    QString name() const { return m_record.Number.toText(); }
    void setName(const QString &name) { m_record.Number = FieldValue::fromText(name); }
    bool isFree() const { return name().isEmpty(); }
    // How much of this currency equals one unit of the native currency, as
    // typed: a won or a rupiah is worth a few hundred-thousandths of a dollar.
    double rate() const { return m_record.Price.toNumber(); }
    // Stored as a currency amount, as it always was, where that holds it
    // exactly; any other value as a double. Only for values holdsRate() accepts.
    void setRate(double rate);
    // False for a value the datafile cannot hold as typed: not finite, or more
    // significant digits than a double keeps.
    static bool holdsRate(double rate);
    // The value rounded to the ten-thousandth.
    Currency value() const { return m_record.Price.toCurrency(); }
    void setValue(Currency value) { m_record.Price = FieldValue::fromCurrency(value); }
    double transactions() const { return m_record.SpareA.toNumber(); }
    void setTransactions(double count) { m_record.SpareA = FieldValue::fromNumber(count); }
    Currency received() const { return m_record.SpareB.toCurrency(); }
    void setReceived(Currency amount) { m_record.SpareB = FieldValue::fromCurrency(amount); }
    QString symbol() const { return m_record.SpareC.toText(); }
    void setSymbol(const QString &symbol) { m_record.SpareC = FieldValue::fromText(symbol); }

    // How the currency is offered in a list: "EURO (€)".
    QString entryText() const
    {
        return name() + QStringLiteral(" (") + symbol() + QLatin1Char(')');
    }

    // Field 0 of every slot is "***", as of every header record.
    void markAsSlot() { m_record.Name = FieldValue::fromText(SharedMarker); }

    const DataRecord &record() const { return m_record; }

private:
    DataRecord m_record;
};

// A slot as stored, with its header record.
struct StoredSlot {
    int record = 0;
    DataRecord data;
};

// The four slots in order, read in one opening of the datafile.
Result<QList<StoredSlot>> readCurrencySlots(const QString &path);
