# The main window's quotation list page, its region page and the printed quotation,
# driven against the demo centre.
sup_add_test(register_list_test register
  ${CMAKE_CURRENT_SOURCE_DIR}/register/ListTestSupport.h
  ${CMAKE_CURRENT_SOURCE_DIR}/register/QuotationListTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/register/ListPagesTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/register/PrintQuotationTest.cpp
)
target_link_libraries(register_list_test PRIVATE module_test_support)
