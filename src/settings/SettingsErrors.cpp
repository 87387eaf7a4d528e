#include "SettingsErrors.h"

#include "ui/AppContext.h"
#include "ui/Dialogs.h"

namespace SettingsErrors {

void critical(AppContext &ctx, QWidget *parent, const QString &procedure, const QString &module,
              FileError error)
{
    ctx.dialogs->critical(parent, QStringLiteral("Critical Error"),
                          QStringLiteral("A critical error has occurred in event procedure '")
                              + procedure + QStringLiteral("', module ") + module
                              + QStringLiteral(".\nErr: ") + QString::number(errorNumber(error)));
}

} // namespace SettingsErrors
