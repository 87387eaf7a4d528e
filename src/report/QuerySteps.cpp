#include "QuerySteps.h"

#include "cashier/CashierTime.h"
#include "datafile/Currency.h"
#include "datafile/MoneyText.h"

namespace {

const QString InputNotValid = QStringLiteral("Input not Valid");
const QString NotValidText =
    QStringLiteral("The text box does not contain valid input. Check your input and try again");

QuerySteps::ValueCheck refused(const QString &title, const QString &message, bool keepFocus = true)
{
    QuerySteps::ValueCheck c;
    c.title = title;
    c.message = message;
    c.keepFocus = keepFocus;
    return c;
}

} // namespace

namespace QuerySteps {

QString comparisonCaption(QueryMode mode, Comparison comparison)
{
    if (mode == QueryMode::Relative) {
        switch (comparison) {
        case Comparison::GreaterThan:
            return QStringLiteral("Highest");
        case Comparison::LessThan:
            return QStringLiteral("Lowest");
        default:
            return QString();
        }
    }
    switch (comparison) {
    case Comparison::GreaterThan:
        return QStringLiteral("Greater than");
    case Comparison::LessThan:
        return QStringLiteral("Less than");
    case Comparison::GreaterOrEqual:
        return QStringLiteral("Greater than or Equal to");
    case Comparison::LessOrEqual:
        return QStringLiteral("Less than or Equal to");
    case Comparison::EqualTo:
        return QStringLiteral("Equal to");
    }
    return QString();
}

QString comparisonPiece(QueryMode mode, Comparison comparison)
{
    if (mode == QueryMode::Relative
        && (comparison == Comparison::GreaterThan || comparison == Comparison::LessThan))
        return comparison == Comparison::GreaterThan ? QStringLiteral("highest ")
                                                     : QStringLiteral("lowest ");
    switch (comparison) {
    case Comparison::GreaterThan:
        return QStringLiteral("greater than ");
    case Comparison::LessThan:
        return QStringLiteral("less than ");
    case Comparison::GreaterOrEqual:
        return QStringLiteral("greater than or equal to ");
    case Comparison::LessOrEqual:
        return QStringLiteral("less than or equal to ");
    case Comparison::EqualTo:
        return QStringLiteral("equal to ");
    }
    return QString();
}

QString modePiece(QueryMode mode)
{
    return mode == QueryMode::Relative ? QStringLiteral("for the ")
                                       : QStringLiteral("for an ABSOLUTE value ");
}

QString propertyValueText(ReportProperty property)
{
    if (isCurrencyProperty(property))
        return MoneyText::formatCurrency(Currency());
    if (property == ReportProperty::LoggedOnTime)
        return QStringLiteral("0000:00:00:000");
    return QString();
}

QString valuePiece(QueryMode mode, const QString &text)
{
    if (mode != QueryMode::Relative)
        return text + QLatin1Char('.');
    if (MoneyText::parseNumber(text) == 1.0)
        return QStringLiteral("value.");
    return text + QStringLiteral(" values.");
}

ValueCheck checkValue(ReportProperty property, QueryMode mode, const QString &text)
{
    const ReportKind kind = kindOf(property);
    const bool absolute = mode != QueryMode::Relative;
    if (property == ReportProperty::LoggedOnTime && absolute) {
        if (!isValidLoggedOnTime(text))
            return refused(QStringLiteral("Error 8778"),
                           QStringLiteral("Please ensure that the 'Time Logged On' box contains "
                                          "valid input.  Data should be entered in the format "
                                          "hhhh:mm:ss:mss"),
                           false);
        return {true, text, {}, {}, true};
    }

    const std::optional<double> number = MoneyText::parseNumber(text);
    if (!number) {
        return refused(InputNotValid, kind == ReportKind::Cashier ? NotValidText + QLatin1Char('.')
                                                                  : NotValidText);
    }
    if (kind == ReportKind::Item && (*number < 0 || (!absolute && *number == 0)))
        return refused(InputNotValid, NotValidText);

    ValueCheck ok{true, text, {}, {}, true};
    if (isCurrencyProperty(property) && absolute)
        ok.text = MoneyText::formatCurrency(MoneyText::parseCurrency(text).value_or(Currency()));
    return ok;
}

} // namespace QuerySteps
