list(APPEND TB_GUI_SOURCES
    src/app/Interface.cpp
    src/app/Interface.h
    src/app/Title.cpp
    assets/tallybird.qrc
)
