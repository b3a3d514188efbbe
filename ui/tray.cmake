# The tray: choosing the icon image, the tip, the program's icon bytes and,
# on Windows, the notification-area adapter. Included by ui/CMakeLists.txt.
set(zelvane_tray_image_source ${CMAKE_CURRENT_BINARY_DIR}/tray_icon_image.cpp)
add_custom_command(
  OUTPUT ${zelvane_tray_image_source}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${PROJECT_SOURCE_DIR}/resources/zelvane.ico
          -DOUTPUT=${zelvane_tray_image_source} -P ${PROJECT_SOURCE_DIR}/resources/embed_bytes.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/zelvane.ico ${PROJECT_SOURCE_DIR}/resources/embed_bytes.cmake
  COMMENT "Embedding zelvane.ico as the tray icon image"
  VERBATIM)

add_library(zelvane_tray STATIC
  ${CMAKE_CURRENT_LIST_DIR}/icon_selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_tip.cpp
  ${zelvane_tray_image_source})
if(WIN32)
  target_sources(zelvane_tray PRIVATE ${CMAKE_CURRENT_LIST_DIR}/tray_win32.cpp)
  target_link_libraries(zelvane_tray PUBLIC user32 shell32 gdi32)
endif()
target_link_libraries(zelvane_tray PUBLIC zelvane_core)
zelvane_warnings(zelvane_tray)
