# The quotation filter dialog (SUP01701) and its entry routines.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/register/FiltroCotacao.h ${PROJECT_SOURCE_DIR}/register/FiltroCotacao.cpp
  ${PROJECT_SOURCE_DIR}/register/Cli_Sup01701.h
  ${PROJECT_SOURCE_DIR}/register/TfrmFiltroCotacao.h ${PROJECT_SOURCE_DIR}/register/TfrmFiltroCotacao.cpp
  ${PROJECT_SOURCE_DIR}/register/TfrmFiltroCotacaoConfirma.cpp
)
