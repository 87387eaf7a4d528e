list(APPEND TB_CORE_SOURCES
    src/report/QueryEngine.cpp
    src/report/QueryKinds.cpp
    src/report/QuerySteps.cpp
    src/report/ReportContent.cpp
    src/report/ReportFile.cpp
)
