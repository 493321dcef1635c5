# "Importar Preços...": a supplier's prices read back from an XLSX workbook (libzip for the
# package, Qt's XML stream reader for its parts, a large sheet's rows read by two threads) or
# a CSV text, previewed and typed into the worksheet.
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
find_package(Threads REQUIRED)
target_sources(sup01700module PRIVATE
  ${SUP_SPREADSHEET}/import/PriceSheet.h ${SUP_SPREADSHEET}/import/PriceSheet.cpp
  ${SUP_SPREADSHEET}/import/PriceImportPlan.h ${SUP_SPREADSHEET}/import/PriceImportPlan.cpp
  ${SUP_SPREADSHEET}/import/TfrmImportPrecos.h ${SUP_SPREADSHEET}/import/TfrmImportPrecos.cpp
  ${SUP_SPREADSHEET}/import/PriceImport.h ${SUP_SPREADSHEET}/import/PriceImport.cpp
)
target_link_libraries(sup01700module PRIVATE PkgConfig::LIBZIP Threads::Threads)
