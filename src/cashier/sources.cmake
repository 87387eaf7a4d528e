list(APPEND TB_CORE_SOURCES
    src/cashier/AccessCheck.cpp
    src/cashier/CashierTime.cpp
)
list(APPEND TB_GUI_SOURCES
    src/cashier/Access.cpp
    src/cashier/Cashier.cpp
    src/cashier/CashierCommands.cpp
    src/cashier/LogOn.cpp
)
