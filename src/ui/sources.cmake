list(APPEND TB_GUI_SOURCES
    src/ui/Interface.ui
    src/ui/Lamp.cpp
    src/ui/Lamp.h
    src/ui/QtDialogs.cpp
)
