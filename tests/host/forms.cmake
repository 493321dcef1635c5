# The base forms (reports need a QApplication: the program has its own main()).
add_executable(host_forms_test forms/ReportTest.cpp)
target_link_libraries(host_forms_test PRIVATE hostforms GTest::gtest)
gtest_discover_tests(host_forms_test
  PROPERTIES LABELS host ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
  DISCOVERY_TIMEOUT 60)
