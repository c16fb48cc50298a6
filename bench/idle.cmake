# A program whose idle handler always asks for more; measure-idle-cpu reads its CPU time.
add_executable(idle_load ${CMAKE_CURRENT_LIST_DIR}/idle_load.cpp)
target_link_libraries(idle_load PRIVATE framework)
