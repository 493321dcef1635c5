# The four dialogs that take a brand, a product, a supplier or a region out of the current
# quotation, and their entry points.
set(SUP_DELETION ${PROJECT_SOURCE_DIR}/maintenance)
target_sources(sup01700module PRIVATE
  ${SUP_DELETION}/ShowDialog.h
  ${SUP_DELETION}/DeletionEntries.cpp
  ${SUP_DELETION}/TfrmMarcaDelete.h ${SUP_DELETION}/TfrmMarcaDelete.cpp
  ${SUP_DELETION}/TfrmProdutoDelete.h ${SUP_DELETION}/TfrmProdutoDelete.cpp
  ${SUP_DELETION}/TfrmForneDelete.h ${SUP_DELETION}/TfrmForneDelete.cpp
  ${SUP_DELETION}/TfrmRegiaoDelete.h ${SUP_DELETION}/TfrmRegiaoDelete.cpp
)
