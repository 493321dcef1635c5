# Tests of the decision cube and the pivot grid (real widgets, offscreen).
find_package(Qt6 REQUIRED COMPONENTS Test)
sup_add_test(host_pivot_test host
  ${CMAKE_CURRENT_LIST_DIR}/pivot/PivotTestMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pivot/ItemTable.h
  ${CMAKE_CURRENT_LIST_DIR}/pivot/DecisionCubeTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pivot/DecisionGridTest.cpp
)
target_link_libraries(host_pivot_test PRIVATE hostpivot Qt6::Test)
