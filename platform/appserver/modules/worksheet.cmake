target_sources(supmodules PRIVATE WorksheetMethods.cpp)
