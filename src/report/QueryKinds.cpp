#include "QueryKinds.h"

namespace {

QueryKind makeItem()
{
    QueryKind k;
    k.kind = ReportKind::Item;
    k.caption = QStringLiteral("Item Report Builder");
    k.kindWord = QStringLiteral("Item");
    k.properties = {
        {ReportProperty::ItemCost, QStringLiteral("Item &Cost"), EntryFigure::ItemPrice,
         QStringLiteral("Search the ITEM COST property ")},
        {ReportProperty::ItemsSold, QStringLiteral("Items &Sold"), EntryFigure::ItemsSold,
         QStringLiteral("Search the ITEMS SOLD property ")},
        {ReportProperty::RemainingInventory, QStringLiteral("&Remaining Inventory"),
         EntryFigure::ItemsRemaining,
         QStringLiteral("Search the ITEM REMANING INVENTORY property ")},
        {ReportProperty::TotalInventory, QStringLiteral("&Total Inventory"), EntryFigure::ItemStock,
         QStringLiteral("Search the ITEM TOTAL INVENTORY property ")},
    };
    return k;
}

QueryKind makeCredit()
{
    QueryKind k;
    k.kind = ReportKind::Credit;
    k.caption = QStringLiteral("Credit Report Builder");
    k.kindWord = QStringLiteral("Credit");
    k.properties = {
        {ReportProperty::Balance, QStringLiteral("&Balance"), EntryFigure::CustomerBalance,
         QStringLiteral("Search the CREDIT BALANCE property ")},
        {ReportProperty::NumberOfVisits, QStringLiteral("&Number of Visits"),
         EntryFigure::CustomerVisits,
         QStringLiteral("Search the CREDIT NUMBER OF VISITS property ")},
        {ReportProperty::TotalSpent, QStringLiteral("&Total Spent"),
         EntryFigure::CustomerTotalSpent,
         QStringLiteral("Search the CREDIT TOTAL SPENT property ")},
    };
    return k;
}

QueryKind makeCashier()
{
    QueryKind k;
    k.kind = ReportKind::Cashier;
    k.caption = QStringLiteral("Cashier Report Builder");
    k.kindWord = QStringLiteral("Cashier");
    k.properties = {
        {ReportProperty::AmountSold, QStringLiteral("&Amount Sold"), EntryFigure::CashierAmountSold,
         QStringLiteral("Search the CASHIER AMOUNT SOLD property ")},
        {ReportProperty::SalesPerformed, QStringLiteral("&Sales Performed"),
         EntryFigure::CashierSales, QStringLiteral("Search the CASHIER SALES PERFORMED property ")},
        {ReportProperty::LoggedOnTime, QStringLiteral("&Logged On Time"),
         EntryFigure::CashierTimeLoggedOn,
         QStringLiteral("Search the CASHIER LOGGED ON TIME property ")},
    };
    return k;
}

} // namespace

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

ReportKind kindOf(ReportProperty property)
{
    switch (property) {
    case ReportProperty::ItemCost:
    case ReportProperty::ItemsSold:
    case ReportProperty::RemainingInventory:
    case ReportProperty::TotalInventory:
        break;
    case ReportProperty::Balance:
    case ReportProperty::NumberOfVisits:
    case ReportProperty::TotalSpent:
        return ReportKind::Credit;
    case ReportProperty::AmountSold:
    case ReportProperty::SalesPerformed:
    case ReportProperty::LoggedOnTime:
        return ReportKind::Cashier;
    }
    return ReportKind::Item;
}

bool isCurrencyProperty(ReportProperty property)
{
    return property == ReportProperty::ItemCost || property == ReportProperty::Balance
           || property == ReportProperty::AmountSold;
}

const QueryProperty &queryProperty(ReportProperty property)
{
    const QueryKind &kind = queryKind(kindOf(property));
    for (const QueryProperty &p : kind.properties)
        if (p.property == property)
            return p;
    return kind.properties.first();
}

std::optional<ReportProperty> propertyOfCode(ReportKind kind, int code)
{
    const QList<QueryProperty> &offered = queryKind(kind).properties;
    if (code < 1 || code > offered.size())
        return std::nullopt;
    return offered[code - 1].property;
}

std::optional<QueryMode> modeOfCode(int code)
{
    if (code == 1)
        return QueryMode::Absolute;
    if (code == 2)
        return QueryMode::Relative;
    return std::nullopt;
}

std::optional<Comparison> comparisonOfCode(int code)
{
    if (code < 1 || code > 5)
        return std::nullopt;
    return Comparison(code - 1);
}
