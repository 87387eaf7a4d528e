#include "TestMain.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return TestRegistry::runAll(argc, argv);
}
