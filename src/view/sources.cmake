# Sources of this subsystem, added to the libraries of src/CMakeLists.txt.
target_sources(kestrun_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/scrolling.cpp ${CMAKE_CURRENT_LIST_DIR}/scrolling.h
  ${CMAKE_CURRENT_LIST_DIR}/view_events.cpp ${CMAKE_CURRENT_LIST_DIR}/view_events.h
)
