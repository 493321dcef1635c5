# Quotation duplication: DuplicaCotacao's copies, its log of the quotations not copied and
# its refusals, and GetDadDuplica.
sup_add_test(appserver_duplication_tests appserver DuplicationMethodsTest.cpp)
target_link_libraries(appserver_duplication_tests PRIVATE save_test_support)
