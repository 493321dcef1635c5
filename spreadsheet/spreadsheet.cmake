# The worksheet to and from spreadsheet files, the best price marked in the pivot and the
# worksheet printed, under the main window's menu "Planilha".
set(SUP_SPREADSHEET ${PROJECT_SOURCE_DIR}/spreadsheet)
target_sources(sup01700module PRIVATE
  ${SUP_SPREADSHEET}/SpreadsheetMenu.h ${SUP_SPREADSHEET}/SpreadsheetMenu.cpp
)
# Each part brings its own sources.
include(${SUP_SPREADSHEET}/export/export.cmake OPTIONAL)
include(${SUP_SPREADSHEET}/import/import.cmake OPTIONAL)
include(${SUP_SPREADSHEET}/print/print.cmake OPTIONAL)
include(${SUP_SPREADSHEET}/bestprice/bestprice.cmake OPTIONAL)
