# One scope frame (background, two traces, present), the present alone, and loading the graticule.
vexilo_bench(display SOURCES ${CMAKE_CURRENT_LIST_DIR}/display_frame.cpp LIBS display)
