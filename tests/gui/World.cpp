#include "World.h"

#include "TestData.h"

#include "datafile/RecordStore.h"
#include "datafile/ShopFile.h"

#include <QTest>

using namespace TestData;

World::World(const QString &annPrivileges)
    : World({
        cashier(QStringLiteral("ANN"), QStringLiteral("1234"), annPrivileges),
        cashier(QStringLiteral("SAM"), QStringLiteral("4321"),
                QStringLiteral("101000010010000000000")),
        item(QStringLiteral("TEA"), QStringLiteral("1"), Currency::fromUnits(2), 10),
        item(QStringLiteral("COFFEE"), QStringLiteral("2"), Currency::fromRaw(35000), 20),
        item(QStringLiteral("BUN"), QStringLiteral("3"), Currency::fromRaw(7500), 30),
        customer(QStringLiteral("BOB")),
        customer(QStringLiteral("CAROL")),
    })
{
}

World::World(const QList<DataRecord> &records) : path(newDatafile(dir))
{
    append(path, records);
}

Interface &World::start()
{
    return h.start(path);
}

Interface &World::startLoggedOn()
{
    Interface &w = start();
    if (!h.logOn(QStringLiteral("ANN"), QStringLiteral("1234")))
        QTest::qFail("ANN could not log on", __FILE__, __LINE__);
    h.dialogs.clear();
    return w;
}

void World::setTaxRate(const QString &rate)
{
    TaxSettings tax;
    tax.rate1 = rate;
    if (ShopFile(path).setTaxSettings(tax) != FileError::None)
        QTest::qFail("the tax rate could not be written", __FILE__, __LINE__);
}

DataRecord World::record(int n) const
{
    return RecordStore(path).readRecord(n).valueOr(DataRecord());
}
