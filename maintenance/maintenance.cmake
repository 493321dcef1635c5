# The dialogs that add and remove the products, suppliers, regions and brands of the
# current quotation, what they share, and the menus that open them.
set(SUP_MAINTENANCE ${PROJECT_SOURCE_DIR}/maintenance)
target_sources(sup01700module PRIVATE
  ${SUP_MAINTENANCE}/MaintenanceDialog.h ${SUP_MAINTENANCE}/MaintenanceDialog.cpp
  ${SUP_MAINTENANCE}/LookupField.h ${SUP_MAINTENANCE}/LookupField.cpp
  ${SUP_MAINTENANCE}/ItemBatch.h ${SUP_MAINTENANCE}/ItemBatch.cpp
  ${SUP_MAINTENANCE}/MaintenanceEntries.h ${SUP_MAINTENANCE}/MaintenanceEntries.cpp
  ${SUP_MAINTENANCE}/TfrmProdutoInsert.h ${SUP_MAINTENANCE}/TfrmProdutoInsert.cpp
  ${SUP_MAINTENANCE}/TfrmForneInsert.h ${SUP_MAINTENANCE}/TfrmForneInsert.cpp
  ${SUP_MAINTENANCE}/TfrmRegiaoInsert.h ${SUP_MAINTENANCE}/TfrmRegiaoInsert.cpp
  ${SUP_MAINTENANCE}/RegionItems.h ${SUP_MAINTENANCE}/RegionItems.cpp
  ${SUP_MAINTENANCE}/BrandDialog.h ${SUP_MAINTENANCE}/BrandDialog.cpp
  ${SUP_MAINTENANCE}/TfrmMarcaInsert.h ${SUP_MAINTENANCE}/TfrmMarcaInsert.cpp
  ${SUP_MAINTENANCE}/TfrmMarcaAlter.h ${SUP_MAINTENANCE}/TfrmMarcaAlter.cpp
  ${SUP_MAINTENANCE}/MaintenanceMenus.h ${SUP_MAINTENANCE}/MaintenanceMenus.cpp
)
