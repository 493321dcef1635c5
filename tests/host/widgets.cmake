# Tests of the host's controls and data grid (real widgets, offscreen).
find_package(Qt6 REQUIRED COMPONENTS Test)
sup_add_test(host_widgets_test host
  ${CMAKE_CURRENT_LIST_DIR}/widgets/WidgetsTestMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/RecordingUi.h
  ${CMAKE_CURRENT_LIST_DIR}/widgets/GridTestSupport.h
  ${CMAKE_CURRENT_LIST_DIR}/widgets/EditControlsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/PagesAndButtonsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/DBGridEditingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/DBGridEventsTest.cpp
)
target_link_libraries(host_widgets_test PRIVATE hostwidgets Qt6::Test)
