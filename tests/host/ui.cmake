# The desktop's Ui, the session and the scripted person of the tests.
sup_add_test(host_ui_test host
  ${CMAKE_CURRENT_LIST_DIR}/ui/UiTestData.h
  ${CMAKE_CURRENT_LIST_DIR}/ui/ScriptedUiTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/GuardTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/HalvoreTest.cpp
)
target_link_libraries(host_ui_test PRIVATE testsupport)

# The real Qt dialogs, driven offscreen; password confirmation reads the demo database.
sup_add_test(host_qtui_test host
  ${CMAKE_CURRENT_LIST_DIR}/ui/UiTestData.h
  ${CMAKE_CURRENT_LIST_DIR}/ui/QtUiFixture.h
  ${CMAKE_CURRENT_LIST_DIR}/ui/QtUiMessagesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/QtUiSearchTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/QtUiPasswordTest.cpp
)
target_link_libraries(host_qtui_test PRIVATE testsupport supdb)
