# The worksheet printed across pages through the host's print preview.
set(SUP_SPREADSHEET_PRINT ${PROJECT_SOURCE_DIR}/spreadsheet/print)
target_sources(sup01700module PRIVATE
  ${SUP_SPREADSHEET_PRINT}/PrintLayout.h ${SUP_SPREADSHEET_PRINT}/PrintLayout.cpp
  ${SUP_SPREADSHEET_PRINT}/WorksheetPrinter.h ${SUP_SPREADSHEET_PRINT}/WorksheetPrinter.cpp
  ${SUP_SPREADSHEET_PRINT}/WorksheetPrint.h ${SUP_SPREADSHEET_PRINT}/WorksheetPrint.cpp
)
target_link_libraries(sup01700module PUBLIC Qt6::PrintSupport)
