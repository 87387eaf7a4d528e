list(APPEND TB_GUI_SOURCES
    src/ui/ArrowImage.cpp
    src/ui/ArrowImage.h
    src/ui/Cashier.ui
    src/ui/Convert.ui
    src/ui/CreditBrowse.ui
    src/ui/CurrencyBrowse.ui
    src/ui/EntryBox.cpp
    src/ui/Interface.ui
    src/ui/Items.ui
    src/ui/Lamp.cpp
    src/ui/Lamp.h
    src/ui/MenuKeys.cpp
    src/ui/MenuKeys.h
    src/ui/LogOn.ui
    src/ui/QtDialogs.cpp
    src/ui/Session.cpp
    src/ui/Session.h
    src/ui/UpdateList.cpp
    src/ui/WindowSetup.cpp
)
list(APPEND TB_CORE_SOURCES
    src/ui/BillLayout.cpp
    src/ui/TillSettings.cpp
)
