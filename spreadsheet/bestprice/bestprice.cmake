target_sources(sup01700module PRIVATE
  ${SUP_SPREADSHEET}/bestprice/BestPrices.h ${SUP_SPREADSHEET}/bestprice/BestPrices.cpp
  ${SUP_SPREADSHEET}/bestprice/BestPriceMark.h ${SUP_SPREADSHEET}/bestprice/BestPriceMark.cpp
)
