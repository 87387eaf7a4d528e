#pragma once

class QComboBox;
struct AppContext;

// Clears the box and fills it in one go from the open datafile: item names or
// numbers (sorted) when itemsMode, else customer names in file order.
// Shows "Too many items" past 32,767 entries and "Critical Error" on a file error.
void UpdateList(QComboBox *box, bool itemsMode, AppContext &ctx);
