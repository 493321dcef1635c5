# The worksheet's item checks and item saving: ValidaDados, GravaPlanCota with item changes,
# GetVerPrZero, GetRegAtend and the request ids of retried saves.
sup_add_test(appserver_items_tests appserver
  ValidaDadosTest.cpp
  ItemSaveTest.cpp
  ItemSaveHostileTest.cpp
  ItemCheckMethodsTest.cpp
)
target_link_libraries(appserver_items_tests PRIVATE save_test_support)
