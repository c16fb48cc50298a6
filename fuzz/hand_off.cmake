# Captured blocks of arbitrary sizes handed to the ring.
vexilo_fuzz(fuzz_hand_off SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_hand_off.cpp LIBS app)
