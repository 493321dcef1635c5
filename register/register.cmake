# The quotation register: main window shell, quotation list, filter, new quotation.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/register/TfrmPlanCotaPrec.h ${PROJECT_SOURCE_DIR}/register/TfrmPlanCotaPrec.cpp
  ${PROJECT_SOURCE_DIR}/register/PageHandler.h
  ${PROJECT_SOURCE_DIR}/register/MainCommands.cpp
  ${PROJECT_SOURCE_DIR}/register/PageChanges.cpp
  ${PROJECT_SOURCE_DIR}/register/CommandStates.cpp
  ${PROJECT_SOURCE_DIR}/register/QuotationListPage.h ${PROJECT_SOURCE_DIR}/register/QuotationListPage.cpp
  ${PROJECT_SOURCE_DIR}/register/QuotationListImages.h ${PROJECT_SOURCE_DIR}/register/QuotationListImages.cpp
  ${PROJECT_SOURCE_DIR}/register/PrintQuotationScreen.h ${PROJECT_SOURCE_DIR}/register/PrintQuotationScreen.cpp
)
