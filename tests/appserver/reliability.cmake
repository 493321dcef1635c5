# Saving against a sup-appserver child process: concurrent saves over HTTP, and a server
# killed in the middle of a save.
sup_add_test(appserver_reliability_tests appserver
  SaveTestSupport.h SaveTestSupport.cpp
  ItemTestSupport.h ItemTestSupport.cpp
  reliability/AppServerProcess.h reliability/AppServerProcess.cpp
  reliability/SaveReliabilityTest.cpp
)
target_link_libraries(appserver_reliability_tests PRIVATE rpc_test_support hostnet SQLite::SQLite3)
target_compile_definitions(appserver_reliability_tests PRIVATE
  SUP_APPSERVER_PROGRAM="$<TARGET_FILE:sup-appserver>")
add_dependencies(appserver_reliability_tests sup-appserver)
