# The HTTP listener, the in-process endpoint, the client's connection component and the
# sup-appserver program, also when saves meet each other or the server is killed, idle and
# slow clients crowd the server, or the calls go over HTTPS.
sup_add_test(appserver_transport_tests appserver
  transport/TestMethods.h transport/TestMethods.cpp
  transport/TransportFixture.h transport/TransportFixture.cpp
  transport/RawSocket.h transport/RawSocket.cpp
  transport/TestCertificate.h transport/TestCertificate.cpp
  transport/RpcContractTest.cpp
  transport/HttpServerTest.cpp
  transport/RequestGateTest.cpp
  transport/CallPoolTest.cpp
  transport/SlowClientTest.cpp
  transport/StallTest.cpp
  transport/TlsTest.cpp
  transport/NetConnectionTest.cpp
  transport/CheckResultServTest.cpp
  transport/FakeServerTest.cpp
  transport/AppServerProcess.h transport/AppServerProcess.cpp
  transport/AppServerProgramTest.cpp
  transport/TlsProgramTest.cpp
  transport/SaveReliabilityTest.cpp
)
target_link_libraries(appserver_transport_tests PRIVATE
  save_test_support suphttp supinprocess hostnet PkgConfig::HTTPLIB SQLite::SQLite3)
target_compile_definitions(appserver_transport_tests PRIVATE
  SUP_APPSERVER_PROGRAM="$<TARGET_FILE:sup-appserver>"
  SUP01700_PROGRAM="$<TARGET_FILE:sup01700>")
add_dependencies(appserver_transport_tests sup-appserver sup01700)
