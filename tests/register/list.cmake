# The main window's quotation list page, its region page and the printed quotation,
# driven against the demo centre.
sup_add_test(register_list_test register
  ${CMAKE_CURRENT_SOURCE_DIR}/ListTestSupport.h
  ${CMAKE_CURRENT_SOURCE_DIR}/QuotationListTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ListPagesTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/NewQuotationTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/PrintQuotationTest.cpp
)
target_link_libraries(register_list_test PRIVATE module_test_support)
