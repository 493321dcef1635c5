# The quotation register's methods: filter, quotation list, deletion, regions.
sup_add_test(appserver_register_tests appserver
  RegisterTestSupport.h RegisterTestSupport.cpp
  RegisterListTest.cpp
  RegisterHostileInputTest.cpp
  RegisterDeleteTest.cpp
  RegisterLookupsTest.cpp
)
target_link_libraries(appserver_register_tests PRIVATE rpc_test_support)
