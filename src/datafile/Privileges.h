#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The eleven privilege flags of a cashier, in the order of the privilege string.
enum class Privilege {
    ItemBrowse,
    ItemModify,
    CreditBrowse,
    CreditModify,
    SettingModify,
    TaxModify,
    CashierAccess,
    PlaceDiscount,
    BuildReport,
    ModifyCurrency,
    ChargeCurrency,
};
constexpr int PrivilegeCount = 11;
constexpr int PrivilegeStringLength = 21;

// The flags' names, as the Cashier window's check boxes are named.
const std::array<QString, PrivilegeCount> &privilegeNames();
// The names of the flags a well-formed privilege string grants, or nothing
// when the text is not one (wrong length, other characters, or a trailing
// flag set).
std::optional<QStringList> grantedNames(const QString &privilegeString);

struct Privileges {
    std::array<int, PrivilegeCount> flags{}; // 0 denies, anything else grants

    bool has(Privilege p) const { return flags[int(p)] != 0; }
    void set(Privilege p, int value) { flags[int(p)] = value; }
    bool all() const;

    static Privileges master();
    // Flag k is the numeric value of character k; a missing character gives 0.
    static Privileges parse(const QString &text);
    // The privilege string of a cashier record: the eleven flags, then ten "0".
    QString toString() const;
};
