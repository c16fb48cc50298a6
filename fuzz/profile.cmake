# The private-profile parser over arbitrary settings files.
vexilo_fuzz(fuzz_profile SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_profile.cpp LIBS platform)
