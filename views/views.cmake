# The commands on the current item (negotiation, worksheet information, observation), the
# tools over the current quotation and their dialogs, the duplication of quotations and its
# report, and the two assignment pages.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/views/ItemCommands.h ${PROJECT_SOURCE_DIR}/views/ItemCommands.cpp
  ${PROJECT_SOURCE_DIR}/views/WorksheetTools.h ${PROJECT_SOURCE_DIR}/views/WorksheetTools.cpp
  ${PROJECT_SOURCE_DIR}/views/TfrmObsItmCol.h ${PROJECT_SOURCE_DIR}/views/TfrmObsItmCol.cpp
  ${PROJECT_SOURCE_DIR}/views/TfrmValUltCot.h ${PROJECT_SOURCE_DIR}/views/TfrmValUltCot.cpp
  ${PROJECT_SOURCE_DIR}/views/ItemScreen.h ${PROJECT_SOURCE_DIR}/views/ItemScreen.cpp
  ${PROJECT_SOURCE_DIR}/views/ItemScreens.cpp
  ${PROJECT_SOURCE_DIR}/views/TfrmExportCota.h ${PROJECT_SOURCE_DIR}/views/TfrmExportCota.cpp
  ${PROJECT_SOURCE_DIR}/views/ExportCotaExecute.cpp
  ${PROJECT_SOURCE_DIR}/views/TfrmRelDupCotacao.h ${PROJECT_SOURCE_DIR}/views/TfrmRelDupCotacao.cpp
  ${PROJECT_SOURCE_DIR}/views/AssignmentPage.h ${PROJECT_SOURCE_DIR}/views/AssignmentPage.cpp
  ${PROJECT_SOURCE_DIR}/views/ProductSupplierPage.h ${PROJECT_SOURCE_DIR}/views/ProductSupplierPage.cpp
  ${PROJECT_SOURCE_DIR}/views/SupplierProductPage.h ${PROJECT_SOURCE_DIR}/views/SupplierProductPage.cpp
)
