# The worksheet and the quotation list exported to spreadsheet files and read back out of
# the zip, as a spreadsheet program reads them.
if(NOT TARGET PkgConfig::LIBZIP)
  pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET GLOBAL libzip)
endif()
sup_add_test(export_test worksheet ${CMAKE_CURRENT_LIST_DIR}/ExportTest.cpp)
target_link_libraries(export_test PRIVATE module_test_support PkgConfig::LIBZIP)
