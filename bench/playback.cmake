vexilo_bench(playback SOURCES ${CMAKE_CURRENT_LIST_DIR}/playback_refill.cpp LIBS sound)
