# The price history, the worksheet's tools and the item rules asked before negotiating:
# GetHistorico, CargMelhorsPrs, CargAcomprar, DeleteItemCole, Vd_Marca, Vd_ProdForn,
# Vd_FuncaoFili, Vd_RefoReg and InsertFormPgtoNegSim.
target_sources(supmodules PRIVATE
  HistoryMethods.cpp
  ToolMethods.cpp
  ItemRuleMethods.cpp
  PaymentTermMethods.cpp
)
