#pragma once

class Interface;
struct AppContext;

// The settings and help commands of the main window's menus.
namespace SettingsCommands {

void install(Interface &window);

// "Printer &Setup": the bill header and footer, then the printer settings.
void mnuitmPrintSetup(Interface &window);
// "&Contents": the help page in the user's browser, without waiting for it.
void mnuitmCaption(Interface &window);
// "&E-Mail Author": a new message to support in the user's mail program.
void mnuitmEmail(AppContext &ctx);

} // namespace SettingsCommands
