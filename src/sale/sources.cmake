list(APPEND TB_CORE_SOURCES
    src/sale/BillLine.cpp
    src/sale/BillStock.cpp
)
