# The worksheet and the quotation list written to spreadsheet files: XLSX through
# libxlsxwriter, CSV for pt_BR spreadsheet programs.
if(NOT TARGET PkgConfig::XLSXWRITER)
  pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
endif()
set(SUP_SPREADSHEET_EXPORT ${PROJECT_SOURCE_DIR}/spreadsheet/export)
target_sources(sup01700module PRIVATE
  ${SUP_SPREADSHEET_EXPORT}/SpreadsheetExport.h ${SUP_SPREADSHEET_EXPORT}/SpreadsheetExport.cpp
  ${SUP_SPREADSHEET_EXPORT}/WorksheetXlsx.h ${SUP_SPREADSHEET_EXPORT}/WorksheetXlsx.cpp
  ${SUP_SPREADSHEET_EXPORT}/ListExport.h ${SUP_SPREADSHEET_EXPORT}/ListExport.cpp
  ${SUP_SPREADSHEET_EXPORT}/XlsxFile.h ${SUP_SPREADSHEET_EXPORT}/XlsxFile.cpp
)
target_link_libraries(sup01700module PUBLIC PkgConfig::XLSXWRITER)
