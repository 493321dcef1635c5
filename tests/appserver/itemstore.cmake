# Storing the assignment pages' changes: GravaItemCole and CargRegiao.
sup_add_test(appserver_itemstore_tests appserver ItemStoreTest.cpp)
target_link_libraries(appserver_itemstore_tests PRIVATE save_test_support)
