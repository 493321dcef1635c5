# The worksheet's maintenance dialogs: GetFornAtend, GetInsProd and IncFornecedor.
sup_add_test(appserver_maintenance_tests appserver MaintenanceMethodsTest.cpp)
target_link_libraries(appserver_maintenance_tests PRIVATE save_test_support)
