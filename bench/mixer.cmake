# Outside volume change to change notice on the real sound server; bench/measure-mixer runs it.
add_executable(measure_mixer ${CMAKE_CURRENT_LIST_DIR}/mixer_notice_live.cpp)
target_link_libraries(measure_mixer PRIVATE platform framework PkgConfig::PULSE)
