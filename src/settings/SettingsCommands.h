#pragma once

class Interface;

// The settings and help commands of the main window's menus.
namespace SettingsCommands {

void install(Interface &window);

} // namespace SettingsCommands
