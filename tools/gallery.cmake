# A window with one of each control widget, to look at them; --save FILE writes it as a picture.
add_executable(gallery ${CMAKE_CURRENT_LIST_DIR}/gallery.cpp)
target_link_libraries(gallery PRIVATE widgets)
