# Sources of this subsystem, added to the libraries of src/CMakeLists.txt.
# The copy and removal rules need no window; the copy panel and the wiring do.
target_sources(kestrun_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/../platform/diskspace.cpp ${CMAKE_CURRENT_LIST_DIR}/../platform/diskspace.h
  ${CMAKE_CURRENT_LIST_DIR}/copyads.cpp ${CMAKE_CURRENT_LIST_DIR}/copyads.h
  ${CMAKE_CURRENT_LIST_DIR}/freespace.cpp ${CMAKE_CURRENT_LIST_DIR}/freespace.h
  ${CMAKE_CURRENT_LIST_DIR}/removeads.cpp ${CMAKE_CURRENT_LIST_DIR}/removeads.h
)
target_sources(kestrun_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/copypanel.cpp ${CMAKE_CURRENT_LIST_DIR}/copypanel.h
  ${CMAKE_CURRENT_LIST_DIR}/store_events.cpp ${CMAKE_CURRENT_LIST_DIR}/store_events.h
)
