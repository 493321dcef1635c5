# Storing the assignment pages' changes: GravaItemCole, CargRegiao.
target_sources(supmodules PRIVATE
  PageItemChange.h PageItemChange.cpp
  PricedQuotation.h PricedQuotation.cpp
  NewItemRules.h NewItemRules.cpp
  RegionPriceCopy.h RegionPriceCopy.cpp
  ItemStoreMethods.cpp
)
