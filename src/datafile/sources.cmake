list(APPEND TB_CORE_SOURCES
    src/datafile/CashierEntry.cpp
    src/datafile/Cp1252.cpp
    src/datafile/Currency.cpp
    src/datafile/CustomerEntry.cpp
    src/datafile/DataFile.cpp
    src/datafile/DataRecord.cpp
    src/datafile/FieldValue.cpp
    src/datafile/ItemEntry.cpp
    src/datafile/NativePath.cpp
    src/datafile/MoneyText.cpp
    src/datafile/OleDate.cpp
    src/datafile/PickList.cpp
    src/datafile/Privileges.cpp
    src/datafile/RecordCodec.cpp
    src/datafile/RecordStore.cpp
    src/datafile/TransactionCounter.cpp
)
