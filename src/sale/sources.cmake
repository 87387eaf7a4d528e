list(APPEND TB_CORE_SOURCES
    src/sale/Bill.cpp
    src/sale/BillLine.cpp
    src/sale/BillStock.cpp
    src/sale/Completion.cpp
    src/sale/Sale.cpp
)
list(APPEND TB_GUI_SOURCES
    src/sale/Discount.cpp
    src/sale/NewItem.cpp
    src/sale/SaleArea.cpp
    src/ui/Discount.ui
    src/ui/NewItem.ui
)
