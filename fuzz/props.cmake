# Property texts of every kind read into an object, written out and read again.
vexilo_fuzz(fuzz_props SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_props.cpp
  ${PROJECT_SOURCE_DIR}/tests/settings/support/sample_component.h LIBS settings)
target_include_directories(fuzz_props PRIVATE ${PROJECT_SOURCE_DIR}/tests/settings)
