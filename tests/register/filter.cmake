# The quotation filter dialog, driven as a buyer would against the demo centre.
sup_add_test(register_filter_test register
  ${CMAKE_CURRENT_SOURCE_DIR}/FilterDialogTest.cpp
)
target_link_libraries(register_filter_test PRIVATE module_test_support)
