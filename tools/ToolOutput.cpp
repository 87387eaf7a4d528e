#include "ToolOutput.h"

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

int usageError(const char *usage)
{
    err() << "Usage:\n" << usage;
    return ExitUsage;
}

bool asksForHelp(const QStringList &args)
{
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

bool takeOptions(QStringList &args, const QStringList &known, QStringList &given)
{
    QStringList rest;
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("--"))) {
            if (!known.contains(a))
                return false;
            given << a;
        } else {
            rest << a;
        }
    }
    args = rest;
    return true;
}
