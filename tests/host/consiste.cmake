# Tests of the host's non-visual helpers and display formats.
sup_add_test(host_consiste_test host
  ${CMAKE_CURRENT_LIST_DIR}/ConsisteTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WeekTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayFormatTest.cpp
)
target_link_libraries(host_consiste_test PRIVATE hostcore)
