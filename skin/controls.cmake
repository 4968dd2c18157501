# skin: the owner-drawn and skinned push buttons (Win32).
target_sources(zen_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/OwnerDrawButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinButton.cpp
)
