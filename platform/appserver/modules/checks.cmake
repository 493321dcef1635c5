# The checks around price entry and saving: ValidaDados, GetVerPrZero, GetRegAtend.
target_sources(supmodules PRIVATE
  ItemChecks.h ItemChecks.cpp
  ItemCheckMethods.cpp
)
