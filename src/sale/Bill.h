#pragma once

#include "datafile/Currency.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The bill in progress: its lines, the running subtotal and the grand total,
// and the rules that change them. It touches no file; Sale does that.
class Bill
{
public:
    struct Line {
        QString text;
        // The item record the line was rung from; 0 for a line that stands
        // for no stored item (an unstored item, a discount).
        int record = 0;
    };

    const QList<Line> &lines() const { return m_lines; }
    QStringList texts() const;
    int count() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }

    Currency subtotal() const { return m_subtotal; }
    // The grand total while it is computed and shown; nullopt while it is
    // stale (after any change to the items) or not computed yet.
    std::optional<Currency> grandTotal() const { return m_grandTotal; }

    // A rung item: name, " - ", price, "   X   ", quantity as typed. The
    // quantity must be numeric. A trailing grand-total discount, made on the
    // old items, goes, and the grand total must be computed again.
    void ring(const QString &name, Currency price, const QString &quantity, int record);
    // An item billed once without being stored: the price as typed, "  X  ".
    void billUnstored(const QString &name, const QString &price, const QString &quantity);

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

    // "&Tax": the grand total with one or two rates in percent (the second
    // nullopt for one tax); each tax is rounded to money on its own.
    void applyTax(double rate1, std::optional<double> rate2);

    enum class Refusal {
        None,
        GrandTotalNotCalculated,
        TaxFreeTwice,
        TooManyGrandTotalDiscounts,
    };
    // "Grand Total Tax Free": the taxes on the subtotal come off the grand total.
    Refusal taxFree(double rate1, std::optional<double> rate2);
    // A discount on the subtotal, in percent or as an amount; the grand total
    // must then be computed again.
    void subtotalDiscountPercent(double percent);
    void subtotalDiscountAmount(Currency amount);
    // A discount on the grand total; only one at a time.
    Refusal grandTotalDiscountPercent(double percent);
    Refusal grandTotalDiscountAmount(Currency amount);

    // The grand total of a sale without tax: the subtotal itself.
    void grandTotalIsSubtotal() { m_grandTotal = m_subtotal; }
    // Taxes were switched off: the grand total must come from the payment.
    void hideGrandTotal() { m_grandTotal.reset(); }

private:
    void append(const QString &text, int record);
    void dropTrailingGrandTotalDiscount();
    bool lastLineStartsWith(QLatin1String start) const;

    QList<Line> m_lines;
    Currency m_subtotal;
    std::optional<Currency> m_grandTotal;
};
