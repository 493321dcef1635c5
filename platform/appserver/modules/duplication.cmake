# Quotation duplication: the latest validity for the dialog's proposal (GetDadDuplica) and
# the copies into a new validity, with the log of the quotations not copied (DuplicaCotacao).
target_sources(supmodules PRIVATE
  DuplicationRequest.h DuplicationRequest.cpp
  CentreNumbers.h CentreNumbers.cpp
  QuotationCopy.h QuotationCopy.cpp
  UncopiedQuotationLog.h UncopiedQuotationLog.cpp
  QuotationDuplication.h QuotationDuplication.cpp
  DuplicationMethods.cpp
)
