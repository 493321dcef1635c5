target_sources(supmodules PRIVATE AssignmentMethods.cpp)
