# Painting of the control widgets: a knob frame, a repeat button, a shadowed label.
vexilo_bench(widgets SOURCES ${CMAKE_CURRENT_LIST_DIR}/widgets_paint.cpp LIBS widgets)
