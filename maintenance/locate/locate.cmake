# The "Localizar" screen: finding a product or brand among the rows of the worksheet's
# pivot grid, by typed text in a find window or by code from another screen.
target_sources(sup01700module PRIVATE
  ${PROJECT_SOURCE_DIR}/maintenance/locate/LocateScreen.h
  ${PROJECT_SOURCE_DIR}/maintenance/locate/LocateScreen.cpp
)
