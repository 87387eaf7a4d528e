#pragma once

#include "DataRecord.h"
#include "Privileges.h"

// A cashier record read and written by its meaning.
class CashierEntry
{
public:
    CashierEntry() { m_record.Name = FieldValue::fromText(CashierMarker); }
    explicit CashierEntry(DataRecord record) : m_record(std::move(record)) {}

    QString name() const { return m_record.Number.toText(); }
    void setName(const QString &name) { m_record.Number = FieldValue::fromText(name); }
    QString pin() const { return m_record.SpareA.toText(); }
    void setPin(const QString &pin) { m_record.SpareA = FieldValue::fromText(pin); }
    Currency amountSold() const { return m_record.Price.toCurrency(); }
    void setAmountSold(Currency amount) { m_record.Price = FieldValue::fromCurrency(amount); }
    // Sales performed, as a number and as the text shown in the Cashier window.
    double salesPerformed() const { return m_record.SpareB.toNumber(); }
    QString salesPerformedText() const { return m_record.SpareB.toText(); }
    void setSalesPerformed(double sales) { m_record.SpareB = FieldValue::fromNumber(sales); }
    // As typed: the Cashier window stores the box's text.
    void setSalesPerformed(const QString &typed) { m_record.SpareB = FieldValue::fromText(typed); }
    QString privilegeText() const { return m_record.SpareC.toText(); }
    Privileges privileges() const { return Privileges::parse(privilegeText()); }
    void setPrivileges(const Privileges &p) { m_record.SpareC = FieldValue::fromText(p.toString()); }
    double msLoggedOn() const { return m_record.SpareD.toNumber(); }
    void setMsLoggedOn(double ms) { m_record.SpareD = FieldValue::fromNumber(ms); }

    const DataRecord &record() const { return m_record; }

    // A new cashier with no sales and no time on duty.
    static CashierEntry make(const QString &name, const QString &pin, const Privileges &privileges);

private:
    DataRecord m_record;
};

// Field 2 holds the name of customers and cashiers, field 9 a cashier's privileges.
constexpr int EntryNameField = 2;
constexpr int CashierPinField = 7;
constexpr int CashierPrivilegeField = 9;
