#pragma once

class Interface;

// The Cashier menu and the cashier commands of the Management menu.
namespace CashierCommands {

// Connects the commands to the main window's menus.
void install(Interface &window);

// Logs the cashier off: asks before cancelling a bill with lines, adds the
// time on duty to the cashier's record and locks the terminal. False when the
// user chose to keep the purchase.
bool LogOff(Interface &window);

// Opens the Cashier Settings window; it closes only once a cashier with every
// privilege exists.
void openCashierSettings(Interface &window);

} // namespace CashierCommands
