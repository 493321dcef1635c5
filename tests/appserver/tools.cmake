# The price history, the worksheet's tools, the payment terms of an item to negotiate and
# the register rules asked before negotiating.
sup_add_test(appserver_tools_tests appserver
  QuotationToolsTest.cpp
  ItemRuleMethodsTest.cpp
)
target_link_libraries(appserver_tools_tests PRIVATE rpc_test_support)
