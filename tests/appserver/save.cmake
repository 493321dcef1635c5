# The assignment pages' loads and GravaPlanCota.
sup_add_test(appserver_save_tests appserver
  AssignmentMethodsTest.cpp
  SaveMethodTest.cpp
  SaveHostileInputTest.cpp
  SaveConcurrencyTest.cpp
)
target_link_libraries(appserver_save_tests PRIVATE save_test_support)
