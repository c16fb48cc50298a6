vexilo_fuzz(fuzz_profile SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_profile.cpp LIBS platform)
