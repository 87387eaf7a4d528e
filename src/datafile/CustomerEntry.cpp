#include "CustomerEntry.h"

CustomerEntry CustomerEntry::make(const QString &name, Currency balance, const QString &notes)
{
    CustomerEntry customer;
    customer.setName(name);
    customer.setBalance(balance);
    customer.setNotes(notes);
    customer.setVisits(0);
    customer.setTotalSpent(Currency());
    return customer;
}
