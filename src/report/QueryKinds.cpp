#include "QueryKinds.h"

namespace {

QueryKind makeItem()
{
    QueryKind k;
    k.kind = ReportKind::Item;
    k.window = QStringLiteral("ItemReportBuild");
    k.caption = QStringLiteral("Item Report Builder");
    k.kindWord = QStringLiteral("Item");
    k.nameField = 0;
    k.properties = {
        {1, QStringLiteral("optItemCost"), QStringLiteral("Item &Cost"), 1, ValueForm::Currency,
         QStringLiteral("Search the ITEM COST property ")},
        {2, QStringLiteral("optItemsSold"), QStringLiteral("Items &Sold"), 4, ValueForm::Whole,
         QStringLiteral("Search the ITEMS SOLD property ")},
        {3, QStringLiteral("optRemainingInventory"), QStringLiteral("&Remaining Inventory"), 6,
         ValueForm::Whole, QStringLiteral("Search the ITEM REMANING INVENTORY property ")},
        {4, QStringLiteral("optTotalInventory"), QStringLiteral("&Total Inventory"), 5,
         ValueForm::Whole, QStringLiteral("Search the ITEM TOTAL INVENTORY property ")},
    };
    return k;
}

QueryKind makeCredit()
{
    QueryKind k;
    k.kind = ReportKind::Credit;
    k.window = QStringLiteral("CreditReportBuild");
    k.caption = QStringLiteral("Credit Report Builder");
    k.kindWord = QStringLiteral("Credit");
    k.nameField = 2;
    k.properties = {
        {1, QStringLiteral("optItemCost"), QStringLiteral("&Balance"), 1, ValueForm::Currency,
         QStringLiteral("Search the CREDIT BALANCE property ")},
        {2, QStringLiteral("optItemsSold"), QStringLiteral("&Number of Visits"), 7,
         ValueForm::Whole, QStringLiteral("Search the CREDIT NUMBER OF VISITS property ")},
        {3, QStringLiteral("optRemainingInventory"), QStringLiteral("&Total Spent"), 8,
         ValueForm::Currency, QStringLiteral("Search the CREDIT TOTAL SPENT property ")},
    };
    return k;
}

QueryKind makeCashier()
{
    QueryKind k;
    k.kind = ReportKind::Cashier;
    k.window = QStringLiteral("CashierReportBuild");
    k.caption = QStringLiteral("Cashier Report Builder");
    k.kindWord = QStringLiteral("Cashier");
    k.nameField = 2;
    k.properties = {
        {1, QStringLiteral("optItemCost"), QStringLiteral("&Amount Sold"), 1, ValueForm::Currency,
         QStringLiteral("Search the CASHIER AMOUNT SOLD property ")},
        {2, QStringLiteral("optItemsSold"), QStringLiteral("&Sales Performed"), 8, ValueForm::Whole,
         QStringLiteral("Search the CASHIER SALES PERFORMED property ")},
        {3, QStringLiteral("optTimeLogOn"), QStringLiteral("&Logged On Time"), 10,
         ValueForm::Duration, QStringLiteral("Search the CASHIER LOGGED ON TIME property ")},
    };
    return k;
}

} // namespace

bool QueryKind::takes(RecordKind k) const
{
    switch (kind) {
    case ReportKind::Item:
        return k == RecordKind::Item;
    case ReportKind::Credit:
        return k == RecordKind::Customer;
    case ReportKind::Cashier:
        return k == RecordKind::Cashier;
    }
    return false;
}

const QueryProperty *QueryKind::property(int code) const
{
    for (const QueryProperty &p : properties)
        if (p.code == code)
            return &p;
    return nullptr;
}

const QueryKind &queryKind(ReportKind kind)
{
    static const QueryKind item = makeItem();
    static const QueryKind credit = makeCredit();
    static const QueryKind cashier = makeCashier();
    switch (kind) {
    case ReportKind::Credit:
        return credit;
    case ReportKind::Cashier:
        return cashier;
    case ReportKind::Item:
        break;
    }
    return item;
}
