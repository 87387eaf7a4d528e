#pragma once

struct AppContext;
class QWidget;

// The till's devices beside the sale: its cash drawer and its printer.
namespace TillCommands {

// Opens the cash drawer after a completed cash sale, as this till's drawer is
// set up; a drawer that fails is reported and the sale stays as stored.
void openDrawerAfterSale(AppContext &ctx, QWidget *window);
// "&No Sale": a cashier with every privilege opens the drawer without a sale,
// written to the log first when the log is on.
void mnuitmNoSale(AppContext &ctx);
// "Print a Test &Bill": the shop's header and footer around a long item line.
void mnuitmTestBill(AppContext &ctx);

} // namespace TillCommands
