# Property texts of every kind read into an object, written out and read again.
vexilo_fuzz(fuzz_props SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_props.cpp LIBS settings)
