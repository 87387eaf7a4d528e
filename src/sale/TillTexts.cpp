#include "TillTexts.h"

#include "DateTimeText.h"
#include "datafile/MoneyText.h"

namespace TillTexts {

namespace {
const QString Rule = QStringLiteral("----------------------");
}

QString billJobName(int transaction)
{
    return QStringLiteral("Tallybird bill #") + QString::number(transaction);
}

QStringList noSaleEntry(const QString &cashierName, const QDateTime &now)
{
    return {Rule, QStringLiteral("No Sale"), Purchase::dateTimeText(now),
            QStringLiteral("Cashier: ") + cashierName, Rule};
}

QStringList testBill(const BillNotes &notes, const QString &cashierName, const QDateTime &now)
{
    return {notes.header,
            QString(),
            QStringLiteral("Test Bill"),
            Purchase::dateTimeText(now),
            QStringLiteral("Cashier: ") + cashierName,
            QString(),
            QStringLiteral("ORANGE JUICE COLD PRESSED 750ML - ")
                + MoneyText::formatCurrency(Currency::fromRaw(35000)) + QStringLiteral("   X   2"),
            QStringLiteral("TEA - ") + MoneyText::formatCurrency(Currency::fromUnits(2))
                + QStringLiteral("   X   1"),
            QString(),
            notes.footer};
}

} // namespace TillTexts
