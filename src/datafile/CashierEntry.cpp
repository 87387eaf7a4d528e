#include "CashierEntry.h"

CashierEntry CashierEntry::make(const QString &name, const QString &pin,
                                const Privileges &privileges)
{
    CashierEntry cashier;
    cashier.setName(name);
    cashier.setPin(pin);
    cashier.setAmountSold(Currency());
    cashier.setSalesPerformed(0);
    cashier.setPrivileges(privileges);
    cashier.setMsLoggedOn(0);
    return cashier;
}
