# The main window shell: pages, commands, command states, page changes and status line.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/shell/TfrmPlanCotaPrec.h ${PROJECT_SOURCE_DIR}/shell/TfrmPlanCotaPrec.cpp
  ${PROJECT_SOURCE_DIR}/shell/PageHandler.h
  ${PROJECT_SOURCE_DIR}/shell/MainCommands.cpp
  ${PROJECT_SOURCE_DIR}/shell/PageChanges.cpp
  ${PROJECT_SOURCE_DIR}/shell/CommandStates.cpp
  ${PROJECT_SOURCE_DIR}/shell/ItemChecks.h ${PROJECT_SOURCE_DIR}/shell/ItemChecks.cpp
  ${PROJECT_SOURCE_DIR}/shell/ItemValidations.h ${PROJECT_SOURCE_DIR}/shell/ItemValidations.cpp
  ${PROJECT_SOURCE_DIR}/shell/QuotationRecordSave.cpp
)
