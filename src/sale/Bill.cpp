#include "Bill.h"

#include "BillLine.h"
#include "datafile/MoneyText.h"

namespace {
const QLatin1String GrandTotal("Grand Total");
const QLatin1String TaxFree("Tax Free");
// Discount lines end in a quantity of 1, so that removal undoes them as it
// undoes an item: amount × quantity.
const QString DiscountTail = QStringLiteral("  X  1");

Currency taxes(Currency subtotal, double rate1, std::optional<double> rate2)
{
    const double s = subtotal.toDouble();
    Currency t = Currency::fromDouble(s * rate1 * 0.01);
    if (rate2)
        t += Currency::fromDouble(s * *rate2 * 0.01);
    return t;
}

QString discountLine(const char *label, Currency amount)
{
    return QLatin1String(label) + MoneyText::formatCurrency(amount) + DiscountTail;
}
} // namespace

QStringList Bill::texts() const
{
    QStringList result;
    result.reserve(m_lines.size());
    for (const Line &line : m_lines)
        result << line.text;
    return result;
}

void Bill::append(const QString &text, int record)
{
    m_lines.append({text, record});
}

bool Bill::lastLineStartsWith(QLatin1String start) const
{
    return !m_lines.isEmpty() && m_lines.last().text.startsWith(start);
}

void Bill::dropTrailingGrandTotalDiscount()
{
    if (lastLineStartsWith(GrandTotal))
        m_lines.removeLast();
    m_grandTotal.reset();
}

void Bill::ring(const QString &name, Currency price, const QString &quantity, int record)
{
    dropTrailingGrandTotalDiscount();
    append(name + QStringLiteral(" - ") + MoneyText::formatCurrency(price)
               + QStringLiteral("   X   ") + quantity,
           record);
    m_subtotal +=
        Currency::fromDouble(price.toDouble() * MoneyText::parseNumber(quantity).value_or(0));
}

void Bill::billUnstored(const QString &name, const QString &price, const QString &quantity)
{
    dropTrailingGrandTotalDiscount();
    append(name + QStringLiteral(" - ") + price + QStringLiteral("  X  ") + quantity, 0);
    m_subtotal += Currency::fromDouble(MoneyText::parseNumber(price).value_or(0)
                                       * MoneyText::parseNumber(quantity).value_or(0));
}

std::optional<Bill::Removal> Bill::removal(int row) const
{
    if (row < 0 || row >= m_lines.size())
        return std::nullopt;
    const BillLine line = BillLine::parse(m_lines[row].text);
    Removal r;
    r.row = row;
    r.summary = line.summary;
    r.name = line.name;
    r.quantity = line.quantity;
    r.record = line.summary ? 0 : m_lines[row].record;
    return r;
}

void Bill::remove(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    const BillLine line = BillLine::parse(m_lines[row].text);
    if (line.summary) {
        // Summary lines carry negative amounts: the grand total goes back up.
        if (m_grandTotal)
            *m_grandTotal -= line.amount();
        m_lines.removeAt(row);
        return;
    }
    // A summary line at the end was worked out on the old items.
    const int last = count() - 1;
    if (last != row && BillLine::isSummary(m_lines[last].text))
        m_lines.removeLast();
    m_subtotal -= line.amount();
    m_lines.removeAt(row);
    m_grandTotal.reset();
}

void Bill::reset()
{
    m_lines.clear();
    m_subtotal = Currency();
    m_grandTotal.reset();
}

void Bill::applyTax(double rate1, std::optional<double> rate2)
{
    m_grandTotal = m_subtotal + taxes(m_subtotal, rate1, rate2);
}

Bill::Refusal Bill::taxFree(double rate1, std::optional<double> rate2)
{
    if (!m_grandTotal)
        return Refusal::GrandTotalNotCalculated;
    for (const Line &line : m_lines)
        if (line.text.startsWith(TaxFree))
            return Refusal::TaxFreeTwice;
    // The taxes as one product each, rounded once, as the line shows them.
    const double s = m_subtotal.toDouble();
    double t = s * rate1 * 0.01;
    if (rate2)
        t += s * *rate2 * 0.01;
    const Currency off = Currency::fromDouble(-t);
    *m_grandTotal += off;
    append(discountLine("Tax Free Grand Total - ", off), 0);
    return Refusal::None;
}

void Bill::subtotalDiscountPercent(double percent)
{
    dropTrailingGrandTotalDiscount();
    const Currency d = Currency::fromDouble(m_subtotal.toDouble() * percent * 0.01);
    append(discountLine("Subtotal Discount Percentage - ", -d), 0);
    m_subtotal -= d;
}

void Bill::subtotalDiscountAmount(Currency amount)
{
    dropTrailingGrandTotalDiscount();
    append(discountLine("Subtotal Discount Fixed Amount - ", -amount), 0);
    m_subtotal -= amount;
}

Bill::Refusal Bill::grandTotalDiscountPercent(double percent)
{
    if (!m_grandTotal)
        return Refusal::GrandTotalNotCalculated;
    if (lastLineStartsWith(GrandTotal))
        return Refusal::TooManyGrandTotalDiscounts;
    const Currency d = Currency::fromDouble(m_grandTotal->toDouble() * percent * 0.01);
    append(discountLine("Grand Total Discount Percentage - ", -d), 0);
    *m_grandTotal -= d;
    return Refusal::None;
}

Bill::Refusal Bill::grandTotalDiscountAmount(Currency amount)
{
    if (!m_grandTotal)
        return Refusal::GrandTotalNotCalculated;
    if (lastLineStartsWith(GrandTotal))
        return Refusal::TooManyGrandTotalDiscounts;
    append(discountLine("Grand Total Discount Fixed Amount - ", -amount), 0);
    *m_grandTotal -= amount;
    return Refusal::None;
}
