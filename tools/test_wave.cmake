# test_wave writes "Test.wav", the recording the calibration test plays. It is made at build time
# next to the program, in the folder the scope is started from.
add_executable(test_wave ${CMAKE_CURRENT_LIST_DIR}/test_wave/test_wave.cpp)
target_link_libraries(test_wave PRIVATE sound)
set(VEXILO_TEST_WAV ${CMAKE_BINARY_DIR}/src/app/Test.wav)
add_custom_command(OUTPUT ${VEXILO_TEST_WAV}
  COMMAND test_wave ${VEXILO_TEST_WAV}
  DEPENDS test_wave
  VERBATIM)
add_custom_target(test_wav ALL DEPENDS ${VEXILO_TEST_WAV})
