# The shell's portable pieces, built natively too.
target_sources(zen_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/AppPaths.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/InputRecorder.cpp)
