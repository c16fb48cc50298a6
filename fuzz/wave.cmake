vexilo_fuzz(fuzz_wave SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_wave.cpp LIBS sound)
