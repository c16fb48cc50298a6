# The running scope panel on the test display: frames per second, CPU and step latency, measured
# from outside the panel's code by scope_live; bench/measure-scope runs it.
add_executable(scope_live
  ${CMAKE_CURRENT_LIST_DIR}/scope_live.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scope_frame_watch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scope_hand_off_watch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scope_signal_player.cpp)
target_link_libraries(scope_live PRIVATE app ALSA::ALSA)
target_include_directories(scope_live PRIVATE ${CMAKE_CURRENT_LIST_DIR})
