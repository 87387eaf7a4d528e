#pragma once

#include "datafile/Privileges.h"

#include <QString>

#include <optional>
#include <vector>

// Every command that needs a privilege, with the flags it tests and the text
// of its "Access Denied" box.
enum class GuardedCommand {
    BrowseItems,      // mnuItems
    ResetItemsSold,   // mnuResetItem
    SaveItem,         // save in the item browser
    RingNewItem,      // ringing an item that is not stored
    BrowseCredits,    // mnuCredit
    ResetVisits,      // mnuitmVisit
    SaveCredit,       // save in the credit browser
    PayOnCredit,      // the "C&redit" payment button
    ChangeSettings,   // mnuPref, mnuitmPrint, mnuitmSave, mnuitmPrintSetup, mnuitmLogSetup
    ChangeTax,        // mnuTax
    CashierSettings,  // mnuitmCashierSettings
    ResetCashierData, // the three cashier resets
    PlaceDiscount,    // the "&Discount" button
    BuildReport,      // the three report builders
    BrowseCurrencies, // mnuitmCurrency
};

struct AccessRule {
    std::vector<Privilege> flags; // tested in this order; each must be granted
    QString message;
};

const AccessRule &accessRule(GuardedCommand command);

// The "Access Denied" text when the cashier lacks a flag the command needs.
std::optional<QString> accessDenied(const Privileges &privileges, GuardedCommand command);
