#pragma once

#include <QString>

// Time on duty is stored in milliseconds and shown as "hhhh:mm:ss:mss".
QString FormatLoggedOnTime(double ms);
double ParseLoggedOnTime(const QString &text);
// Four numeric parts: hours of 4 characters, minutes and seconds of 2 and at
// most 59, milliseconds of 3.
bool isValidLoggedOnTime(const QString &text);
