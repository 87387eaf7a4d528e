#pragma once

#include <QObject>

#include <functional>
#include <vector>

// Lets every test class of a folder register itself, so one executable runs
// them all and ctest sees one test per folder.
namespace TestRegistry {
using Factory = std::function<QObject *()>;
bool add(const char *name, Factory factory);
int runAll(int argc, char **argv);
} // namespace TestRegistry

#define TB_TEST(Class)                                                                             \
    static const bool tb_registered_##Class =                                                      \
        TestRegistry::add(#Class, [] { return static_cast<QObject *>(new Class); });
