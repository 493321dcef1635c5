# The quotation register's methods: the filter, the quotation list, its deletion and the
# quotation's regions.
target_sources(supmodules PRIVATE
  RegisterMethods.cpp
  RegisterQueries.h RegisterQueries.cpp
  QuotationDeletion.h QuotationDeletion.cpp
  ChosenCodes.h ChosenCodes.cpp
  BoundSql.h BoundSql.cpp
)
