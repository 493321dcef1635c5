# The dialogs that add products, brands, regions and suppliers to the current quotation,
# the brand change and the menus that offer them, over the demo centre's worksheets.
sup_add_test(insertion_test maintenance ${CMAKE_CURRENT_LIST_DIR}/InsertionDialogsTest.cpp)
target_link_libraries(insertion_test PRIVATE module_test_support)
