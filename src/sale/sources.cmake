list(APPEND TB_CORE_SOURCES
    src/sale/Bill.cpp
    src/sale/BillLine.cpp
    src/sale/CashMoney.cpp
    src/sale/Checkout.cpp
    src/sale/DateTimeText.cpp
    src/sale/ItemProposal.cpp
    src/sale/LogFile.cpp
    src/sale/PurchasePlan.cpp
    src/sale/Sale.cpp
    src/sale/ShownBill.cpp
    src/sale/TillTexts.cpp
)
list(APPEND TB_GUI_SOURCES
    src/sale/Cash.cpp
    src/sale/Credit.cpp
    src/sale/Discount.cpp
    src/sale/NewItem.cpp
    src/sale/PaymentFlow.cpp
    src/sale/SaleArea.cpp
    src/sale/TillCommands.cpp
    src/ui/Cash.ui
    src/ui/Credit.ui
    src/ui/Discount.ui
    src/ui/NewItem.ui
)
