#include "TillSettings.h"

#include <QSettings>

namespace {
const QString Program = QStringLiteral("Tallybird");
const QString PrinterKey = QStringLiteral("Printer/Name");
const QString PaperKey = QStringLiteral("Printer/Paper");
const QString PaperSizeKey = QStringLiteral("Printer/PaperSizeMillimetres");
const QString DrawerKey = QStringLiteral("CashDrawer/Opens");
const QString CommandKey = QStringLiteral("CashDrawer/Command");
} // namespace

TillSettings TillSettings::load()
{
    const QSettings stored(QSettings::UserScope, Program, Program);
    TillSettings till;
    till.printer = stored.value(PrinterKey).toString();
    const QSizeF size = stored.value(PaperSizeKey).toSizeF();
    if (size.isValid() && !size.isEmpty())
        till.paper = Paper{stored.value(PaperKey).toString(), size};
    const QString drawer = stored.value(DrawerKey).toString();
    till.drawer = drawer == QLatin1String("pulse")     ? Drawer::Pulse
                  : drawer == QLatin1String("command") ? Drawer::Command
                                                       : Drawer::None;
    till.drawerCommand = stored.value(CommandKey).toString();
    return till;
}

void TillSettings::save() const
{
    QSettings stored(QSettings::UserScope, Program, Program);
    stored.setValue(PrinterKey, printer);
    if (paper) {
        stored.setValue(PaperKey, paper->name);
        stored.setValue(PaperSizeKey, paper->millimetres);
    } else {
        stored.remove(PaperKey);
        stored.remove(PaperSizeKey);
    }
    const char *drawerNames[] = {"none", "pulse", "command"};
    stored.setValue(DrawerKey, QString::fromLatin1(drawerNames[int(drawer)]));
    stored.setValue(CommandKey, drawerCommand);
}
