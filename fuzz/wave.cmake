# The WAVE reader over arbitrary bytes.
vexilo_fuzz(fuzz_wave SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_wave.cpp LIBS sound)
