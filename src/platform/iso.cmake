# Reading the medium straight from a CD image file (.iso) through libarchive,
# and the command-line argument that names such a file.
find_package(LibArchive REQUIRED)
target_sources(kestrun_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/isocatalog.cpp ${CMAKE_CURRENT_LIST_DIR}/isocatalog.h
  ${CMAKE_CURRENT_LIST_DIR}/isovolume.cpp ${CMAKE_CURRENT_LIST_DIR}/isovolume.h
  ${CMAKE_CURRENT_LIST_DIR}/../shell/imageargument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../shell/imageargument.h
)
target_link_libraries(kestrun_core PRIVATE LibArchive::LibArchive)
