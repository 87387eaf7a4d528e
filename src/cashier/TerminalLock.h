#pragma once

class Interface;

// Disables everything that needs a logged-on cashier and shows
// "Terminal Locked - Log On Required".
void LockTerminal(Interface &window);
// Enables the sale controls and menus after a successful log on.
void UnlockTerminal(Interface &window);
