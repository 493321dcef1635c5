# The best price of each row marked on the worksheet.
sup_add_test(bestprice_test worksheet ${CMAKE_CURRENT_LIST_DIR}/BestPriceTest.cpp)
target_link_libraries(bestprice_test PRIVATE module_test_support)
