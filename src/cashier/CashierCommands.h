#pragma once

struct AppContext;

// The Cashier menu and the cashier commands of the Management menu.
namespace CashierCommands {

// "Log &On": the Log On window.
void logOn(AppContext &ctx);

// Logs the cashier off: asks before cancelling a bill with lines, adds the
// time on duty to the cashier's record and locks the terminal. False when the
// user chose to keep the purchase.
bool LogOff(AppContext &ctx);

// "Cas&hier Settings" after its privilege check.
void mnuitmCashierSettings(AppContext &ctx);
// Opens the Cashier Settings window; it closes only once a cashier with every
// privilege exists.
void openCashierSettings(AppContext &ctx);

// The statistics resets of the Management menu.
enum class Reset { SalesPerformed, AmountSold, TimeLoggedOn, Visits, ItemsSold };
void runReset(AppContext &ctx, Reset reset);

} // namespace CashierCommands
