# Saving the worksheet: the quotation record's changes and the item changes, read strictly,
# checked for rights and conflicts, and written with statements prepared once.
target_sources(supmodules PRIVATE
  QuotationRecordChanges.h QuotationRecordChanges.cpp
  ItemValues.h ItemValues.cpp
  ItemDelta.h ItemDelta.cpp
  ItemRights.h ItemRights.cpp
  ItemChanges.h ItemChanges.cpp
  ProductTree.h ProductTree.cpp
  Statement.h Statement.cpp
  SaveMethods.cpp
)
