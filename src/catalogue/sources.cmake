# Sources of this subsystem, added to the libraries of src/CMakeLists.txt.
target_sources(kestrun_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp ${CMAKE_CURRENT_LIST_DIR}/catalogue.h
  ${CMAKE_CURRENT_LIST_DIR}/catalogue_events.cpp ${CMAKE_CURRENT_LIST_DIR}/catalogue_events.h
  ${CMAKE_CURRENT_LIST_DIR}/lookahead.cpp ${CMAKE_CURRENT_LIST_DIR}/lookahead.h
  ${CMAKE_CURRENT_LIST_DIR}/selectyear.cpp ${CMAKE_CURRENT_LIST_DIR}/selectyear.h
  ${CMAKE_CURRENT_LIST_DIR}/stepping.cpp ${CMAKE_CURRENT_LIST_DIR}/stepping.h
)
