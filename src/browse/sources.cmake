list(APPEND TB_CORE_SOURCES
    src/browse/BoxRules.cpp
    src/browse/BrowserTables.cpp
    src/browse/CurrencyConversion.cpp
)
list(APPEND TB_GUI_SOURCES
    src/browse/BrowserFrame.cpp
    src/browse/Browsers.cpp
    src/browse/Convert.cpp
)
