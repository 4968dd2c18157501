# The hook library's portable arithmetic, built into zen_core on every platform
# (hooklib/ itself is only added to Windows builds).
target_sources(zen_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ZoomLayout.cpp)
