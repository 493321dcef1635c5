# The quotation register: quotation list, region and new-quotation pages, printed quotation.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/register/QuotationListPage.h ${PROJECT_SOURCE_DIR}/register/QuotationListPage.cpp
  ${PROJECT_SOURCE_DIR}/register/QuotationListStates.cpp
  ${PROJECT_SOURCE_DIR}/register/NewQuotationPage.h ${PROJECT_SOURCE_DIR}/register/NewQuotationPage.cpp
  ${PROJECT_SOURCE_DIR}/register/NewQuotationChecks.cpp ${PROJECT_SOURCE_DIR}/register/NewQuotationConfirm.cpp
  ${PROJECT_SOURCE_DIR}/register/TfrmErrInsCota.h ${PROJECT_SOURCE_DIR}/register/TfrmErrInsCota.cpp
  ${PROJECT_SOURCE_DIR}/register/RegionPage.h ${PROJECT_SOURCE_DIR}/register/RegionPage.cpp
  ${PROJECT_SOURCE_DIR}/register/QuotationListImages.h ${PROJECT_SOURCE_DIR}/register/QuotationListImages.cpp
  ${PROJECT_SOURCE_DIR}/register/PrintQuotationScreen.h ${PROJECT_SOURCE_DIR}/register/PrintQuotationScreen.cpp
)
