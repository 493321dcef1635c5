target_sources(supmodules PRIVATE
  QuotationRecordChanges.h QuotationRecordChanges.cpp
  SaveMethods.cpp
)
