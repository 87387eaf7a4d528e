list(APPEND TB_CORE_SOURCES
    src/report/QueryEngine.cpp
    src/report/QueryKinds.cpp
    src/report/QuerySteps.cpp
    src/report/ReportContent.cpp
    src/report/ReportFile.cpp
    src/report/ReportList.cpp
)
list(APPEND TB_GUI_SOURCES
    src/report/Report.cpp
    src/report/ReportBuild.cpp
    src/report/Reports.cpp
    src/ui/Report.ui
    src/ui/ReportBuild.ui
)
