target_sources(supmodules PRIVATE
  AssignmentFields.h AssignmentFields.cpp
  AssignmentMethods.cpp
)
