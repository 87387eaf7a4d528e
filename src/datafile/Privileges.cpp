#include "Privileges.h"

const std::array<QString, PrivilegeCount> &privilegeNames()
{
    static const std::array<QString, PrivilegeCount> names{
        QStringLiteral("ItemBrowse"),     QStringLiteral("ItemModify"),
        QStringLiteral("CreditBrowse"),   QStringLiteral("CreditModify"),
        QStringLiteral("SettingModify"),  QStringLiteral("TaxModify"),
        QStringLiteral("CashierAccess"),  QStringLiteral("PlaceDiscount"),
        QStringLiteral("BuildReport"),    QStringLiteral("ModifyCurrency"),
        QStringLiteral("ChargeCurrency"),
    };
    return names;
}

std::optional<QStringList> grantedNames(const QString &text)
{
    if (text.size() != PrivilegeStringLength)
        return std::nullopt;
    QStringList on;
    for (int i = 0; i < PrivilegeStringLength; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('0'))
            continue;
        if (c != QLatin1Char('1') || i >= PrivilegeCount)
            return std::nullopt;
        on << privilegeNames()[i];
    }
    return on;
}

bool Privileges::all() const
{
    for (int flag : flags)
        if (flag == 0)
            return false;
    return true;
}

Privileges Privileges::master()
{
    Privileges p;
    p.flags.fill(1);
    return p;
}

Privileges Privileges::parse(const QString &text)
{
    Privileges result;
    for (int k = 0; k < PrivilegeCount && k < text.size(); ++k)
        result.flags[k] = text.at(k).isDigit() ? text.at(k).digitValue() : 0;
    return result;
}

QString Privileges::toString() const
{
    QString text;
    text.reserve(PrivilegeStringLength);
    for (int flag : flags)
        text += flag != 0 ? QLatin1Char('1') : QLatin1Char('0');
    return text + QString(PrivilegeStringLength - PrivilegeCount, QLatin1Char('0'));
}
