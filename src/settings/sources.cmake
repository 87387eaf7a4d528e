list(APPEND TB_GUI_SOURCES
    src/settings/SettingsCommands.cpp
)
