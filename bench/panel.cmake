# The channel controls' handlers on the real panel (offscreen, virtual capture device).
vexilo_bench(panel SOURCES ${CMAKE_CURRENT_LIST_DIR}/panel_handlers.cpp LIBS app)
