# The HTTP listener, the in-process endpoint, the client's connection component and the
# sup-appserver program.
sup_add_test(appserver_transport_tests appserver
  transport/TestMethods.h transport/TestMethods.cpp
  transport/TransportFixture.h transport/TransportFixture.cpp
  transport/RpcContractTest.cpp
  transport/HttpServerTest.cpp
  transport/NetConnectionTest.cpp
  transport/CheckResultServTest.cpp
  transport/FakeServerTest.cpp
  transport/AppServerProgramTest.cpp
)
target_link_libraries(appserver_transport_tests PRIVATE
  rpc_test_support suphttp supinprocess hostnet PkgConfig::HTTPLIB)
target_compile_definitions(appserver_transport_tests PRIVATE
  SUP_APPSERVER_PROGRAM="$<TARGET_FILE:sup-appserver>")
add_dependencies(appserver_transport_tests sup-appserver)
