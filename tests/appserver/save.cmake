# The assignment pages' loads and GravaPlanCota.
sup_add_test(appserver_save_tests appserver
  SaveTestSupport.h SaveTestSupport.cpp
  AssignmentMethodsTest.cpp
  SaveMethodTest.cpp
  SaveHostileInputTest.cpp
  SaveConcurrencyTest.cpp
)
target_link_libraries(appserver_save_tests PRIVATE rpc_test_support)
