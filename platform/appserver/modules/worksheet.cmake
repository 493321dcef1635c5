target_sources(supmodules PRIVATE WorksheetMethods.cpp WorksheetItems.h WorksheetItems.cpp)
