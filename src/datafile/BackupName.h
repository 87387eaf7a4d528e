#pragma once

#include <QDateTime>
#include <QString>

// The name of a dated copy of a datafile, as users find their backups:
// "shop.tb2" kept at 2026-12-08 09:00:00 is "shop-20261208-090000.tb2". A
// further copy kept in the same second is numbered from 2 on:
// "shop-20261208-090000-2.tb2". Only the name: the copy's folder is the caller's.
QString backupFileName(const QString &datafilePath, const QDateTime &at, int nth = 1);
