target_sources(supmodules PRIVATE SaveMethods.cpp)
