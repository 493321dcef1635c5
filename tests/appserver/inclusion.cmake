# A new quotation: IncluirCotacao's items, checks and refusals, and GetDetalhes.
sup_add_test(appserver_inclusion_tests appserver
  InclusionTestSupport.h InclusionTestSupport.cpp
  InclusionTest.cpp
  InclusionRefusalTest.cpp
)
target_link_libraries(appserver_inclusion_tests PRIVATE save_test_support)
