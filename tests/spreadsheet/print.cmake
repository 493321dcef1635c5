# The worksheet printed: the demo worksheet to PDF and through the print preview.
sup_add_test(print_test worksheet
  ${CMAKE_CURRENT_SOURCE_DIR}/PrintTest.cpp
)
target_link_libraries(print_test PRIVATE module_test_support)
