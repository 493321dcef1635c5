# A new quotation: its criteria narrowed stage by stage with the item checks of ValidaDados,
# written with one statement for all its items (IncluirCotacao), or explained (GetDetalhes).
target_sources(supmodules PRIVATE
  InclusionCriteria.h
  InclusionArguments.h InclusionArguments.cpp
  QuotationFunnel.h QuotationFunnel.cpp
  QuotationInclusion.h QuotationInclusion.cpp
  InclusionDetails.h InclusionDetails.cpp
  InclusionMethods.cpp
  PurchaseRequests.h
  PriceHistory.h
)
