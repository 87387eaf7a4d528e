#include "TestMain.h"

#include <QLocale>
#include <QTest>

#include <memory>

namespace {
struct Entry {
    const char *name;
    TestRegistry::Factory factory;
};
std::vector<Entry> &entries()
{
    static std::vector<Entry> list;
    return list;
}
} // namespace

bool TestRegistry::add(const char *name, Factory factory)
{
    entries().push_back({name, std::move(factory)});
    return true;
}

int TestRegistry::runAll(int argc, char **argv)
{
    // Money texts in the tests are written for the US format.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int failed = 0;
    for (const Entry &e : entries()) {
        std::unique_ptr<QObject> test(e.factory());
        failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failed;
}
