#pragma once

#include "datafile/FileError.h"

#include <QString>

struct AppContext;
class QWidget;

namespace SettingsErrors {

// The "Critical Error" box naming the procedure and module that failed. The
// program goes on: ending it here would lose the bill in progress, whose
// items have already left the stock figures.
void critical(AppContext &ctx, QWidget *parent, const QString &procedure, const QString &module,
              FileError error);

} // namespace SettingsErrors
