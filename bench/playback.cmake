vexilo_bench(playback SOURCES ${CMAKE_CURRENT_LIST_DIR}/playback_refill.cpp ${CMAKE_CURRENT_LIST_DIR}/allocation_count.cpp
  ${PROJECT_SOURCE_DIR}/tests/sound/support/wave_image.cpp LIBS sound)
target_include_directories(bench_playback PRIVATE ${PROJECT_SOURCE_DIR}/tests/sound)

# The calibration test's playback on the real device for a while: underruns and CPU.
add_executable(playback_live ${CMAKE_CURRENT_LIST_DIR}/playback_live.cpp)
target_link_libraries(playback_live PRIVATE sound)
