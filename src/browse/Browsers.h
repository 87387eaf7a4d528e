#pragma once

#include "BrowserFrame.h"

struct AppContext;

// The browser commands of the main window's menus, each as it runs once the
// menu command's own privilege check has let it through.
namespace Browsers {

// Management, Browse Items: the item browser. `maySave` is the check of Save
// and Delete. True when an item was saved or deleted: the item box's lists
// are filled again.
bool mnuItems(AppContext &ctx, const BrowserFrame::SaveCheck &maySave);
// Management, Browse Credits: the customer browser.
void mnuCredit(AppContext &ctx, const BrowserFrame::SaveCheck &maySave);
// Management, Browse Currencies: the four foreign-currency slots.
void mnuitmCurrency(AppContext &ctx);
// Cashier, Currency Converter.
void mnuitmConverter(AppContext &ctx);

} // namespace Browsers
