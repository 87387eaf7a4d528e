#pragma once

#include "datafile/DataRecord.h"
#include "datafile/Privileges.h"

#include <QString>

class TempDir;

// Records and datafiles for tests.
namespace TestData {

QString newDatafile(const TempDir &dir, const QString &name = QStringLiteral("shop.tb2"));
DataRecord cashier(const QString &name, const QString &pin,
                   const QString &privileges = Privileges::master().toString(), double ms = 0);
DataRecord item(const QString &name, const QString &number, Currency price = Currency::fromUnits(2),
                int stock = 10, int sold = 0);
DataRecord customer(const QString &name, int visits = 0);
// Writes the records from record 21 on.
void append(const QString &path, const QList<DataRecord> &records);
// Sets field 2 (`Number`) of a header record.
void setHeader(const QString &path, int record, const FieldValue &number);

} // namespace TestData
