# The panel's pictures are drawn by code, written once into resources/ and checked in; the
# app tests check the files against this code. `cmake --build build --target pictures_in_resources`
# rewrites them.
set(VEXILO_RESOURCES ${CMAKE_SOURCE_DIR}/resources)

add_library(pictures STATIC
  ${CMAKE_CURRENT_LIST_DIR}/pictures/bmp_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures/button_glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures/graticule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures/knob_strip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures/picture_set.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures/pixel_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures/program_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures/small_pictures.cpp
)
target_include_directories(pictures PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(pictures PUBLIC Qt6::Gui)

add_executable(make_pictures ${CMAKE_CURRENT_LIST_DIR}/pictures/make_pictures.cpp)
target_link_libraries(make_pictures PRIVATE pictures)

# The program's icon is no panel picture: it is written at build time for the desktop install.
add_executable(make_icon ${CMAKE_CURRENT_LIST_DIR}/pictures/make_icon.cpp)
target_link_libraries(make_icon PRIVATE pictures)

add_custom_target(pictures_in_resources
  COMMAND make_pictures ${VEXILO_RESOURCES}
  DEPENDS make_pictures
  COMMENT "Drawing the panel's pictures into resources/")
