list(APPEND TB_CORE_SOURCES
    src/settings/HelpFiles.cpp
    src/settings/ProgramFiles.cpp
)
list(APPEND TB_GUI_SOURCES
    src/settings/About1.cpp
    src/settings/DrawerSetup.cpp
    src/settings/HeadFoot.cpp
    src/settings/LinkLabel.cpp
    src/settings/LinkLabel.h
    src/settings/Pref.cpp
    src/settings/SetTax.cpp
    src/settings/SettingsCommands.cpp
    src/settings/SettingsErrors.cpp
    src/ui/About1.ui
    src/ui/DrawerSetup.ui
    src/ui/HeadFoot.ui
    src/ui/Pref.ui
    src/ui/SetTax.ui
)
