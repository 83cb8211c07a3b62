# Sources of this subsystem, added to the libraries of src/CMakeLists.txt.
target_sources(kestrun_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/store_events.cpp ${CMAKE_CURRENT_LIST_DIR}/store_events.h
)
