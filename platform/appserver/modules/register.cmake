target_sources(supmodules PRIVATE RegisterMethods.cpp)
