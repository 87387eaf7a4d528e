#pragma once

#include "datafile/Currency.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The bill in progress: its lines, the running subtotal and the grand total,
// and the rules that change them. It touches no file; Sale does that.
//
// No change lets the subtotal or the grand total pass the largest amount the
// datafile holds, whichever lines are later removed and in whatever order.
class Bill
{
public:
    struct Line {
        QString text;
        // The item record the line was rung from; 0 for a line that stands
        // for no stored item (an unstored item, a discount).
        int record = 0;
        // What removing the line puts back into stock.
        double quantity = 0;
        // What the line added to the subtotal, or for a summary line to the
        // grand total; removing it takes exactly this back.
        Currency amount;
        // A tax-free or grand-total discount line, worked out on the grand total.
        bool summary = false;
    };

    const QList<Line> &lines() const { return m_lines; }
    QStringList texts() const;
    int count() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }

    Currency subtotal() const { return m_subtotal; }
    // The grand total while it is computed and shown; nullopt while it is
    // stale (after any change to the items) or not computed yet.
    std::optional<Currency> grandTotal() const { return m_grandTotal; }

    // What `quantity`, as typed, of an item at `price` adds to the subtotal;
    // nullopt when the quantity is no quantity, or when it or the bill would
    // pass the largest amount the datafile holds.
    std::optional<Currency> amountFor(Currency price, const QString &quantity) const;
    // A rung item: name, " - ", price, "   X   ", quantity as typed. Any
    // summary line goes, and the grand total must be computed again. False,
    // with nothing changed, where amountFor refuses.
    bool ring(const QString &name, Currency price, const QString &quantity, int record);
    // An item billed once without being stored: the price as typed, "  X  ".
    bool billUnstored(const QString &name, const QString &price, const QString &quantity);

    // What removing line `row` takes back: nullopt when there is no such line.
    struct Removal {
        int row = 0;
        bool summary = false; // a grand-total or tax-free line: no stock
        QString name;
        double quantity = 0;
        int record = 0; // 0: the line touches no stored item
    };
    std::optional<Removal> removal(int row) const;
    // Removes line `row` (once its stock is back).
    void remove(int row);
    // Empties the bill without touching any stock.
    void reset();

    enum class Refusal {
        None,
        GrandTotalNotCalculated,
        TaxFreeTwice,
        TooManyGrandTotalDiscounts,
        TooLarge, // past the largest amount the datafile holds
    };
    // "&Tax": the grand total with one or two rates in percent (the second
    // nullopt for one tax); each tax is rounded to money on its own.
    Refusal applyTax(double rate1, std::optional<double> rate2);
    // "Grand Total Tax Free": the taxes on the subtotal come off the grand total.
    Refusal taxFree(double rate1, std::optional<double> rate2);
    // A discount on the subtotal, in percent or as an amount; the grand total
    // must then be computed again.
    Refusal subtotalDiscountPercent(double percent);
    Refusal subtotalDiscountAmount(Currency amount);
    // A discount on the grand total; only one at a time.
    Refusal grandTotalDiscountPercent(double percent);
    Refusal grandTotalDiscountAmount(Currency amount);

    // The grand total of a sale without tax: the subtotal itself.
    void grandTotalIsSubtotal();
    // Taxes were switched off: the grand total must come from the payment.
    void hideGrandTotal();

    // What the cashier is told when a change is refused as TooLarge.
    static QString tooLargeText();

private:
    void append(const QString &text, int record, double quantity, Currency amount, bool summary);
    // Summary lines were worked out on the grand total; any change to the
    // items or a new grand total leaves them stale.
    void dropSummaryLines();
    bool fits(bool summary, Currency amount) const;
    std::optional<Currency> amountFor(double price, const QString &quantity) const;
    Refusal subtotalDiscount(const char *label, std::optional<Currency> discount);
    Refusal grandTotalDiscount(const char *label, std::optional<Currency> discount);
    bool lastLineStartsWith(QLatin1String start) const;

    QList<Line> m_lines;
    Currency m_subtotal;
    // The grand total before its summary lines, and with them.
    std::optional<Currency> m_taxed;
    std::optional<Currency> m_grandTotal;
};
