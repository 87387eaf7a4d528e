#pragma once

#include "DataRecord.h"

// A customer's credit account record read and written by its meaning.
class CustomerEntry
{
public:
    CustomerEntry() { m_record.Name = FieldValue::fromText(SharedMarker); }
    explicit CustomerEntry(DataRecord record) : m_record(std::move(record)) {}

    QString name() const { return m_record.Number.toText(); }
    void setName(const QString &name) { m_record.Number = FieldValue::fromText(name); }
    Currency balance() const { return m_record.Price.toCurrency(); }
    void setBalance(Currency balance) { m_record.Price = FieldValue::fromCurrency(balance); }
    QString notes() const { return m_record.Notes.toText(); }
    void setNotes(const QString &notes) { m_record.Notes = FieldValue::fromText(notes); }
    double visits() const { return m_record.SpareA.toNumber(); }
    void setVisits(double visits) { m_record.SpareA = FieldValue::fromNumber(visits); }
    Currency totalSpent() const { return m_record.SpareB.toCurrency(); }
    void setTotalSpent(Currency spent) { m_record.SpareB = FieldValue::fromCurrency(spent); }

    const DataRecord &record() const { return m_record; }

    // A new account with no visits and nothing spent.
    static CustomerEntry make(const QString &name, Currency balance, const QString &notes);

private:
    DataRecord m_record;
};
