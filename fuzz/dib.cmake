# The DIB reader over arbitrary bytes, in both stream formats.
vexilo_fuzz(fuzz_dib SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_dib.cpp LIBS display)
