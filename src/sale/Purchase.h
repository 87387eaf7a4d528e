#pragma once

#include "CashMoney.h"
#include "ShownBill.h"
#include "datafile/CustomerLookup.h"
#include "datafile/FileError.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// Paying for a bill: what is paid and how.
namespace Purchase {

// Cash: the money given as in its box, and the foreign currency if any.
struct CashPayment {
    QString moneyGiven;
    std::optional<Foreign> foreign;
};

// Credit: the customer as named in the customer box, and the comments kept
// with the account; the record where the account was found when the box was
// left (0: not found, or not looked up).
struct CreditPayment {
    QString customer;
    QString comments;
    int customerSeen = 0;
};

struct Payment {
    std::variant<CashPayment, CreditPayment> by;
    QString notes; // printed on the bill

    const CashPayment *cash() const { return std::get_if<CashPayment>(&by); }
    const CreditPayment *credit() const { return std::get_if<CreditPayment>(&by); }
};

// The customer of a credit payment: an account, or where a new one would go.
using CustomerPlace = CustomerLookup::Place;
inline Result<CustomerPlace> findCustomer(const QString &path, const QString &name)
{
    return CustomerLookup::find(path, name);
}

} // namespace Purchase
