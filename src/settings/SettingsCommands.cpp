#include "SettingsCommands.h"

#include "app/Interface.h"

namespace SettingsCommands {

void install(Interface &)
{
}

} // namespace SettingsCommands
