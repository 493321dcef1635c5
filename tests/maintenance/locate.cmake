# The "Localizar" screen over a small pivot grid: by code and through its find window.
sup_add_test(locate_test maintenance ${CMAKE_CURRENT_LIST_DIR}/LocateScreenTest.cpp)
target_link_libraries(locate_test PRIVATE module_test_support)
