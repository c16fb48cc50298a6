# The scope's hot paths: the capture hand-off and the computation of a frame's traces.
vexilo_bench(app SOURCES ${CMAKE_CURRENT_LIST_DIR}/app_hot_paths.cpp ${CMAKE_CURRENT_LIST_DIR}/allocation_count.cpp LIBS app)
