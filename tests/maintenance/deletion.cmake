# The four deletion dialogs over the demo centre's worksheets: what each takes out of the
# quotation, what the save then stores, and a deletion that fails half-way.
sup_add_test(deletion_test maintenance ${CMAKE_CURRENT_LIST_DIR}/DeletionDialogsTest.cpp)
target_link_libraries(deletion_test PRIVATE module_test_support)
