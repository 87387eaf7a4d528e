#pragma once

#include <QString>

// Time on duty is stored in milliseconds and shown as "hhhh:mm:ss:mss".
QString FormatLoggedOnTime(double ms);
double ParseLoggedOnTime(const QString &text);
// Four parts of digits: hours of 4 or more, minutes and seconds of 2 and at
// most 59, milliseconds of 3; and the text reads back as the same time.
bool isValidLoggedOnTime(const QString &text);
