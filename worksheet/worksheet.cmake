# The price worksheet: its pivot of the quotation's items, the detail lines, cell display,
# selection and keyboard, price entry, saving and the page's command states.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/worksheet/Worksheet.h ${PROJECT_SOURCE_DIR}/worksheet/Worksheet.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/WorksheetItems.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/WorksheetStates.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/DetailList.h ${PROJECT_SOURCE_DIR}/worksheet/DetailList.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/CellDisplay.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/GridKeys.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/PriceEntry.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/WorksheetSave.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/WorksheetHistory.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/HistoryPanel.h ${PROJECT_SOURCE_DIR}/worksheet/HistoryPanel.cpp
  ${PROJECT_SOURCE_DIR}/worksheet/TfrmPrecoUnit.h ${PROJECT_SOURCE_DIR}/worksheet/TfrmPrecoUnit.cpp
)
