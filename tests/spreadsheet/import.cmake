# Prices read back from spreadsheet files into the demo worksheets; the files are written
# with libxlsxwriter or as CSV text.
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
sup_add_test(import_test worksheet ${CMAKE_CURRENT_LIST_DIR}/ImportTest.cpp)
target_link_libraries(import_test PRIVATE module_test_support PkgConfig::XLSXWRITER)
