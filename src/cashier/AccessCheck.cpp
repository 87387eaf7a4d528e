#include "AccessCheck.h"

#include <map>

namespace {
QString denial(const QString &action, const QString &option)
{
    return QStringLiteral("You do not have permission to ") + action
           + QStringLiteral(". If you require access, please contact your supervisor and request "
                            "that the option '")
           + option + QStringLiteral("' be turned on for your cashier account.");
}

const std::map<GuardedCommand, AccessRule> &rules()
{
    using P = Privilege;
    using G = GuardedCommand;
    static const std::map<GuardedCommand, AccessRule> table = {
        {G::BrowseItems, {{P::ItemBrowse}, denial("browse the item database", "Browse Items")}},
        {G::ResetItemsSold,
         {{P::ItemModify, P::ItemBrowse},
          denial("change item entries", "Modify Items' and the option 'Browse Items")}},
        {G::SaveItem, {{P::ItemModify}, denial("change item entries", "Modify Items")}},
        {G::RingNewItem,
         {{P::ItemModify},
          QStringLiteral("The item you have entered is not in the product database. ")
              + denial("modify the product database", "Modify Items")}},
        {G::BrowseCredits,
         {{P::CreditBrowse}, denial("browse the credit database", "Browse Credits")}},
        {G::ResetVisits,
         {{P::CreditModify, P::CreditBrowse},
          denial("change credit entries", "Modify Credits' and the option 'Browse Credits")}},
        {G::SaveCredit,
         {{P::CreditModify}, denial("modify entries in the credit database", "Modify Credits")}},
        {G::PayOnCredit,
         {{P::CreditModify},
          denial("complete a purchase using the credit database", "Modify Credits")}},
        {G::ChangeSettings,
         {{P::SettingModify}, denial("change general program settings", "Change Settings")}},
        {G::ChangeTax, {{P::TaxModify}, denial("change the tax rate", "Change Tax")}},
        {G::CashierSettings,
         {{P::CashierAccess}, denial("browse the cashier database", "Access Cashier Data")}},
        {G::ResetCashierData,
         {{P::CashierAccess}, denial("change cashier entries", "Access Cashier Data")}},
        {G::PlaceDiscount,
         {{P::PlaceDiscount}, denial("place a discount on a purchase", "Place Discount")}},
        {G::BuildReport, {{P::BuildReport}, denial("build reports", "Build Reports")}},
        {G::BrowseCurrencies,
         {{P::ModifyCurrency}, denial("access the currency database", "Access Currency Data")}},
    };
    return table;
}
} // namespace

const AccessRule &accessRule(GuardedCommand command)
{
    return rules().at(command);
}

std::optional<QString> accessDenied(const Privileges &privileges, GuardedCommand command)
{
    const AccessRule &rule = accessRule(command);
    for (Privilege p : rule.flags)
        if (!privileges.has(p))
            return rule.message;
    return std::nullopt;
}
