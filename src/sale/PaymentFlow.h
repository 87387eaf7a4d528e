#pragma once

#include "Checkout.h"

struct AppContext;
class QWidget;

// The completion both payment windows share: the checks and questions in
// their order, the completion itself, and every message about it. True when
// the purchase was completed and the bill may be emptied.
bool completePurchase(AppContext &ctx, QWidget *window, const ShownBill &bill,
                      const Purchase::Payment &payment);
