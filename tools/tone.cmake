# tone_wave writes the test signals the end-to-end tests and live measurements play to the sound
# server: a sine tone, or silence followed by a level step.
add_executable(tone_wave ${CMAKE_CURRENT_LIST_DIR}/tone/tone_wave.cpp)
target_link_libraries(tone_wave PRIVATE sound)
