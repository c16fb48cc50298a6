vexilo_bench(sound_capture SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound_capture_read.cpp ${CMAKE_CURRENT_LIST_DIR}/allocation_count.cpp LIBS sound)
# Live capture from the real device; bench/measure-capture runs it.
add_executable(measure_capture ${CMAKE_CURRENT_LIST_DIR}/sound_capture_live.cpp)
target_link_libraries(measure_capture PRIVATE sound)
