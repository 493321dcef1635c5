# The worksheet's maintenance dialogs: the suppliers of a region (GetFornAtend), the items of
# a product added to the worksheet (GetInsProd) and a supplier added to the stored quotation
# (IncFornecedor).
target_sources(supmodules PRIVATE
  WorksheetLists.h WorksheetLists.cpp
  OfferedSuppliers.h OfferedSuppliers.cpp
  ProductInsertion.h ProductInsertion.cpp
  SupplierInclusion.h SupplierInclusion.cpp
  MaintenanceMethods.cpp
)
