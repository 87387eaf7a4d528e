#include "Access.h"

#include "ui/AppContext.h"
#include "ui/Dialogs.h"

bool checkAccess(AppContext &ctx, QWidget *parent, GuardedCommand command)
{
    const auto denied = accessDenied(ctx.session.onDuty().privileges, command);
    if (!denied)
        return true;
    ctx.dialogs->critical(parent, QStringLiteral("Access Denied"), *denied);
    return false;
}
