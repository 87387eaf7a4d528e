#pragma once

#include "AccessCheck.h"

struct AppContext;
class QWidget;

// True when the logged-on cashier may run the command; otherwise shows its
// "Access Denied" box and returns false.
bool checkAccess(AppContext &ctx, QWidget *parent, GuardedCommand command);
