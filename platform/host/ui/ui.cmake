# The desktop's Ui (Qt dialogs, busy panel, searches, password confirmation), the
# session (Halvore) with its screen registry, option store and key-message handler.
target_sources(hostui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.h ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionStore.h ${CMAKE_CURRENT_LIST_DIR}/OptionStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Halvore.h ${CMAKE_CURRENT_LIST_DIR}/Halvore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyMessageFilter.h ${CMAKE_CURRENT_LIST_DIR}/KeyMessageFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BusyPanel.h ${CMAKE_CURRENT_LIST_DIR}/BusyPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchSupport.h ${CMAKE_CURRENT_LIST_DIR}/SearchSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchDialog.h ${CMAKE_CURRENT_LIST_DIR}/SearchDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MarkedRowsModel.h ${CMAKE_CURRENT_LIST_DIR}/MarkedRowsModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListSearchDialog.h ${CMAKE_CURRENT_LIST_DIR}/ListSearchDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeSearchDialog.h ${CMAKE_CURRENT_LIST_DIR}/TreeSearchDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindDialog.h ${CMAKE_CURRENT_LIST_DIR}/FindDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordDialog.h ${CMAKE_CURRENT_LIST_DIR}/PasswordDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtUi.h ${CMAKE_CURRENT_LIST_DIR}/QtUi.cpp
)
