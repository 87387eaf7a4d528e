list(APPEND TB_GUI_SOURCES
    src/app/Interface.cpp
    src/app/Interface.h
    src/app/Title.cpp
    src/app/UpdateList.cpp
    assets/tallybird.qrc
)
