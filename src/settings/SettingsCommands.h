#pragma once

#include "datafile/ShopFile.h"

#include <optional>

struct AppContext;

// The settings and help commands of the main window's menus.
namespace SettingsCommands {

// True when the preferences were stored: the item box lists change with them.
bool mnuPref(AppContext &ctx);
// Whether sales go untaxed, as the window's box showed when it closed
// however it closed (nullopt when it never opened): the main window follows it.
std::optional<bool> mnuTax(AppContext &ctx);
// "Printer &Setup": the bill header and footer, then the printer settings.
void mnuitmPrintSetup(AppContext &ctx);
// "Cash &Drawer Setup": how this till's cash drawer opens.
void mnuitmDrawerSetup(AppContext &ctx);
// "&Log File Setup": a new log file or one to append to, remembered in the
// datafile.
void mnuitmLogSetup(AppContext &ctx);
// "&Contents": the help page in the user's browser, without waiting for it.
void mnuitmCaption(AppContext &ctx);
void mnuitmAbout(AppContext &ctx);
// "&E-Mail Author": a new message to support in the user's mail program.
void mnuitmEmail(AppContext &ctx);

// "Sa&ve Transaction to Log" and "&Print upon Transaction Completion": their
// check marks mirror a header record, which changes first. Gives the state
// the mark must show: `wanted` once stored, the old state otherwise.
using Switch = ShopFile::Switch;
bool toggleSwitch(AppContext &ctx, Switch which, bool wanted);

} // namespace SettingsCommands
