list(APPEND TB_GUI_SOURCES
    src/cashier/TerminalLock.cpp
)
