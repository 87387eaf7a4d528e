#include "QuerySteps.h"

#include "cashier/CashierTime.h"
#include "datafile/Currency.h"
#include "datafile/MoneyText.h"

using namespace QueryCode;

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

QString comparisonCaption(int mode, int comparison)
{
    if (mode == Relative) {
        switch (comparison) {
        case GreaterThan:
            return QStringLiteral("Highest");
        case LessThan:
            return QStringLiteral("Lowest");
        default:
            return QString();
        }
    }
    switch (comparison) {
    case GreaterThan:
        return QStringLiteral("Greater than");
    case LessThan:
        return QStringLiteral("Less than");
    case GreaterOrEqual:
        return QStringLiteral("Greater than or Equal to");
    case LessOrEqual:
        return QStringLiteral("Less than or Equal to");
    case EqualTo:
        return QStringLiteral("Equal to");
    }
    return QString();
}

QString comparisonPiece(int mode, int comparison)
{
    if (mode == Relative && (comparison == GreaterThan || comparison == LessThan))
        return comparison == GreaterThan ? QStringLiteral("highest ") : QStringLiteral("lowest ");
    switch (comparison) {
    case GreaterThan:
        return QStringLiteral("greater than ");
    case LessThan:
        return QStringLiteral("less than ");
    case GreaterOrEqual:
        return QStringLiteral("greater than or equal to ");
    case LessOrEqual:
        return QStringLiteral("less than or equal to ");
    case EqualTo:
        return QStringLiteral("equal to ");
    }
    return QString();
}

QString modePiece(int mode)
{
    return mode == Relative ? QStringLiteral("for the ") : QStringLiteral("for an ABSOLUTE value ");
}

QString propertyValueText(ReportKind kind, int property)
{
    if (property == CurrencyProperty)
        return MoneyText::formatCurrency(Currency());
    if (kind == ReportKind::Cashier && property == 3)
        return QStringLiteral("0000:00:00:000");
    return QString();
}

QString valuePiece(int mode, const QString &text)
{
    if (mode != Relative)
        return text + QLatin1Char('.');
    if (MoneyText::parseNumber(text) == 1.0)
        return QStringLiteral("value.");
    return text + QStringLiteral(" values.");
}

ValueCheck checkValue(ReportKind kind, int property, int mode, const QString &text)
{
    const bool absolute = mode != Relative;
    if (kind == ReportKind::Cashier && property == 3 && absolute) {
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
    if (property == CurrencyProperty && absolute)
        ok.text = MoneyText::formatCurrency(MoneyText::parseCurrency(text).value_or(Currency()));
    return ok;
}

} // namespace QuerySteps
