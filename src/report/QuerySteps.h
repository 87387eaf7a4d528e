#pragma once

#include "QueryKinds.h"

#include <QString>

// The builder's steps as data: the captions of the comparison buttons, the
// pieces of the query sentence, and the checks of the value box.
namespace QuerySteps {

// Caption of comparison button 1..5 in a mode; "" for a button the mode hides.
QString comparisonCaption(int mode, int comparison);
// The sentence piece of a comparison; "" for a button the mode hides.
QString comparisonPiece(int mode, int comparison);
QString modePiece(int mode);
// The text the value box gets when a property is chosen; a null QString
// when the property leaves the box alone.
QString propertyValueText(ReportKind kind, int property);
// The last piece: the accepted value followed by "." (absolute), or
// "value." / "N values." (relative).
QString valuePiece(int mode, const QString &text);

struct ValueCheck {
    bool accepted = false;
    QString text;  // the box's text once accepted (money in the currency format)
    QString title; // the message when refused
    QString message;
    bool keepFocus = true; // a refused box takes the focus back
};

// Checks the value box's text as leaving the box does.
ValueCheck checkValue(ReportKind kind, int property, int mode, const QString &text);

} // namespace QuerySteps
