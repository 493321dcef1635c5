# The quotation register: main window shell, quotation list, filter, new quotation.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/register/TfrmPlanCotaPrec.h ${PROJECT_SOURCE_DIR}/register/TfrmPlanCotaPrec.cpp
)
