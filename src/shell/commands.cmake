# Sources of this subsystem, added to the libraries of src/CMakeLists.txt.
target_sources(kestrun_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/shell_commands.cpp ${CMAKE_CURRENT_LIST_DIR}/shell_commands.h
  ${CMAKE_CURRENT_LIST_DIR}/taskbar_command.cpp ${CMAKE_CURRENT_LIST_DIR}/taskbar_command.h
  ${CMAKE_CURRENT_LIST_DIR}/resolution.cpp ${CMAKE_CURRENT_LIST_DIR}/resolution.h
  ${PROJECT_SOURCE_DIR}/src/documents/about.cpp ${PROJECT_SOURCE_DIR}/src/documents/about.h
  ${PROJECT_SOURCE_DIR}/src/documents/helpcontents.cpp
  ${PROJECT_SOURCE_DIR}/src/documents/helpcontents.h
  ${PROJECT_SOURCE_DIR}/src/documents/helpwindow.cpp
  ${PROJECT_SOURCE_DIR}/src/documents/helpwindow.h
  ${PROJECT_SOURCE_DIR}/src/documents/weblinks.cpp ${PROJECT_SOURCE_DIR}/src/documents/weblinks.h
  ${PROJECT_SOURCE_DIR}/src/platform/helpviewer.cpp ${PROJECT_SOURCE_DIR}/src/platform/helpviewer.h
  ${PROJECT_SOURCE_DIR}/src/platform/shelllinks.cpp ${PROJECT_SOURCE_DIR}/src/platform/shelllinks.h
)

# The desktop's dock windows are reached over X11 where xcb is available;
# elsewhere the taskbar command finds nothing and changes nothing.
target_sources(kestrun_core PRIVATE
  ${PROJECT_SOURCE_DIR}/src/platform/taskbar_x11.cpp ${PROJECT_SOURCE_DIR}/src/platform/taskbar_x11.h
)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(KESTRUN_XCB QUIET IMPORTED_TARGET GLOBAL xcb)
endif()
if(KESTRUN_XCB_FOUND)
  target_compile_definitions(kestrun_core PRIVATE KESTRUN_HAVE_XCB)
  target_link_libraries(kestrun_core PRIVATE PkgConfig::KESTRUN_XCB)
else()
  message(STATUS "xcb not found: the taskbar command will find no taskbar")
endif()

# The about box's pictures.
qt_add_resources(kestrun_ui about_art
  PREFIX /art
  BASE ${PROJECT_SOURCE_DIR}/resources
  FILES
    ${PROJECT_SOURCE_DIR}/resources/about.svg
    ${PROJECT_SOURCE_DIR}/resources/quillon.svg
)

# The help file lies beside the executable.
configure_file(${PROJECT_SOURCE_DIR}/resources/KestrunAds.HLP
               ${PROJECT_BINARY_DIR}/KestrunAds.HLP COPYONLY)
