list(APPEND TB_CORE_SOURCES
    src/browse/BrowserWalk.cpp
)
