#include "Bill.h"

#include "BillLine.h"
#include "datafile/MoneyText.h"

namespace {
const QLatin1String GrandTotal("Grand Total");
const QLatin1String TaxFree("Tax Free");
// Discount lines end in a quantity of 1, so that they read as an item would:
// amount × quantity.
const QString DiscountTail = QStringLiteral("  X  1");

std::optional<Currency> taxes(Currency subtotal, double rate1, std::optional<double> rate2)
{
    const double s = subtotal.toDouble();
    std::optional<Currency> t = Currency::fromDoubleInRange(s * rate1 * 0.01);
    if (t && rate2) {
        const std::optional<Currency> second = Currency::fromDoubleInRange(s * *rate2 * 0.01);
        t = second ? Currency::sum(*t, *second) : std::nullopt;
    }
    return t;
}

QString discountLine(const char *label, Currency amount)
{
    return QLatin1String(label) + MoneyText::formatCurrency(amount) + DiscountTail;
}

// The amount taken off, as the line carries it: nullopt where it has no negative.
std::optional<Currency> off(std::optional<Currency> discount)
{
    return discount ? Currency::difference(Currency(), *discount) : std::nullopt;
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

QString Bill::tooLargeText()
{
    return QStringLiteral("This would make the bill's total larger than the program can store.");
}

void Bill::append(const QString &text, int record, double quantity, Currency amount, bool summary)
{
    m_lines.append({text, record, quantity, amount, summary});
}

bool Bill::lastLineStartsWith(QLatin1String start) const
{
    return !m_lines.isEmpty() && m_lines.last().text.startsWith(start);
}

void Bill::dropSummaryLines()
{
    m_lines.removeIf([](const Line &line) { return line.summary; });
    m_taxed.reset();
    m_grandTotal.reset();
}

bool Bill::fits(bool summary, Currency amount) const
{
    // The total stays in range with any of its lines removed when the sum of
    // all its additions, and that of all its reductions, stay in range.
    const Currency base = summary ? m_taxed.value_or(Currency()) : Currency();
    Currency high = base;
    Currency low = base;
    const auto add = [&](Currency a) {
        Currency &end = a < Currency() ? low : high;
        const std::optional<Currency> sum = Currency::sum(end, a);
        if (sum)
            end = *sum;
        return sum.has_value();
    };
    for (const Line &line : m_lines)
        if (line.summary == summary && !add(line.amount))
            return false;
    return add(amount);
}

std::optional<Currency> Bill::amountFor(Currency price, const QString &quantity) const
{
    return amountFor(price.toDouble(), quantity);
}

std::optional<Currency> Bill::amountFor(double price, const QString &quantity) const
{
    const std::optional<double> count = BillLine::quantity(quantity);
    // A price or count the datafile could not hold as an amount is refused
    // even where their product is small.
    if (!count || !Currency::fromDoubleInRange(*count) || !Currency::fromDoubleInRange(price))
        return std::nullopt;
    const std::optional<Currency> amount = Currency::fromDoubleInRange(price * *count);
    if (!amount || !fits(false, *amount))
        return std::nullopt;
    return amount;
}

bool Bill::ring(const QString &name, Currency price, const QString &quantity, int record)
{
    const std::optional<Currency> amount = amountFor(price, quantity);
    if (!amount)
        return false;
    dropSummaryLines();
    append(name + QStringLiteral(" - ") + MoneyText::formatCurrency(price)
               + QStringLiteral("   X   ") + quantity,
           record, *BillLine::quantity(quantity), *amount, false);
    m_subtotal += *amount;
    return true;
}

bool Bill::billUnstored(const QString &name, const QString &price, const QString &quantity)
{
    const std::optional<double> value = MoneyText::parseNumber(price);
    const std::optional<Currency> amount = value ? amountFor(*value, quantity) : std::nullopt;
    if (!amount)
        return false;
    dropSummaryLines();
    append(name + QStringLiteral(" - ") + price + QStringLiteral("  X  ") + quantity, 0,
           *BillLine::quantity(quantity), *amount, false);
    m_subtotal += *amount;
    return true;
}

std::optional<Bill::Removal> Bill::removal(int row) const
{
    if (row < 0 || row >= m_lines.size())
        return std::nullopt;
    const Line &line = m_lines[row];
    Removal r;
    r.row = row;
    r.summary = line.summary;
    r.name = BillLine::itemName(line.text);
    r.quantity = line.quantity;
    r.record = line.summary ? 0 : line.record;
    return r;
}

void Bill::remove(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    const Line line = m_lines.takeAt(row);
    if (line.summary) {
        // Summary lines carry negative amounts: the grand total goes back up.
        if (m_grandTotal)
            *m_grandTotal -= line.amount;
        return;
    }
    m_subtotal -= line.amount;
    dropSummaryLines();
}

void Bill::reset()
{
    m_lines.clear();
    m_subtotal = Currency();
    m_taxed.reset();
    m_grandTotal.reset();
}

Bill::Refusal Bill::applyTax(double rate1, std::optional<double> rate2)
{
    const std::optional<Currency> tax = taxes(m_subtotal, rate1, rate2);
    const std::optional<Currency> grand = tax ? Currency::sum(m_subtotal, *tax) : std::nullopt;
    if (!grand)
        return Refusal::TooLarge;
    dropSummaryLines();
    m_taxed = m_grandTotal = grand;
    return Refusal::None;
}

void Bill::grandTotalIsSubtotal()
{
    dropSummaryLines();
    m_taxed = m_grandTotal = m_subtotal;
}

void Bill::hideGrandTotal()
{
    dropSummaryLines();
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
    const std::optional<Currency> amount = Currency::fromDoubleInRange(-t);
    if (!amount || !fits(true, *amount))
        return Refusal::TooLarge;
    *m_grandTotal += *amount;
    append(discountLine("Tax Free Grand Total - ", *amount), 0, 1, *amount, true);
    return Refusal::None;
}

Bill::Refusal Bill::subtotalDiscount(const char *label, std::optional<Currency> discount)
{
    const std::optional<Currency> amount = off(discount);
    if (!amount || !fits(false, *amount))
        return Refusal::TooLarge;
    dropSummaryLines();
    append(discountLine(label, *amount), 0, 1, *amount, false);
    m_subtotal += *amount;
    return Refusal::None;
}

Bill::Refusal Bill::subtotalDiscountPercent(double percent)
{
    return subtotalDiscount("Subtotal Discount Percentage - ",
                            Currency::fromDoubleInRange(m_subtotal.toDouble() * percent * 0.01));
}

Bill::Refusal Bill::subtotalDiscountAmount(Currency discount)
{
    return subtotalDiscount("Subtotal Discount Fixed Amount - ", discount);
}

Bill::Refusal Bill::grandTotalDiscount(const char *label, std::optional<Currency> discount)
{
    if (!m_grandTotal)
        return Refusal::GrandTotalNotCalculated;
    if (lastLineStartsWith(GrandTotal))
        return Refusal::TooManyGrandTotalDiscounts;
    const std::optional<Currency> amount = off(discount);
    if (!amount || !fits(true, *amount))
        return Refusal::TooLarge;
    append(discountLine(label, *amount), 0, 1, *amount, true);
    *m_grandTotal += *amount;
    return Refusal::None;
}

Bill::Refusal Bill::grandTotalDiscountPercent(double percent)
{
    const std::optional<Currency> discount =
        m_grandTotal ? Currency::fromDoubleInRange(m_grandTotal->toDouble() * percent * 0.01)
                     : std::nullopt;
    return grandTotalDiscount("Grand Total Discount Percentage - ", discount);
}

Bill::Refusal Bill::grandTotalDiscountAmount(Currency amount)
{
    return grandTotalDiscount("Grand Total Discount Fixed Amount - ", amount);
}
