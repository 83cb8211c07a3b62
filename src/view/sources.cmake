# Sources of this subsystem, added to the libraries of src/CMakeLists.txt.
target_sources(kestrun_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/adprint.cpp ${CMAKE_CURRENT_LIST_DIR}/adprint.h
  ${CMAKE_CURRENT_LIST_DIR}/popupmenu.cpp ${CMAKE_CURRENT_LIST_DIR}/popupmenu.h
  ${CMAKE_CURRENT_LIST_DIR}/scrolling.cpp ${CMAKE_CURRENT_LIST_DIR}/scrolling.h
  ${CMAKE_CURRENT_LIST_DIR}/view_events.cpp ${CMAKE_CURRENT_LIST_DIR}/view_events.h
  ${CMAKE_CURRENT_LIST_DIR}/viewmodes.cpp ${CMAKE_CURRENT_LIST_DIR}/viewmodes.h
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/clipboard.cpp ${CMAKE_CURRENT_SOURCE_DIR}/platform/clipboard.h
)
