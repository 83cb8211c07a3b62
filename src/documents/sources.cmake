# Sources of this subsystem, added to the libraries of src/CMakeLists.txt.

# The RTF reader and the page layout of rich text need no window.
target_sources(kestrun_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfcodepages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfcodepages.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfcodepages_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfcodepages_tables.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtflists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtflists.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfemit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfemit.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtffields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtffields.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfmodel.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfparser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfparser.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfparser_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfparser_words.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfpictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfpictures.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtfreader.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtftables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtftables.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtftokenizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/rtftokenizer.h
  ${CMAKE_CURRENT_LIST_DIR}/richtextpages.cpp ${CMAKE_CURRENT_LIST_DIR}/richtextpages.h
)

# The printer, the document viewer and the document commands.
target_sources(kestrun_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/../platform/printer.cpp ${CMAKE_CURRENT_LIST_DIR}/../platform/printer.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/printresult.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/printresult.h
  ${CMAKE_CURRENT_LIST_DIR}/../platform/printsystem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/printsystem.h
  ${CMAKE_CURRENT_LIST_DIR}/document_commands.cpp ${CMAKE_CURRENT_LIST_DIR}/document_commands.h
  ${CMAKE_CURRENT_LIST_DIR}/document_events.cpp ${CMAKE_CURRENT_LIST_DIR}/document_events.h
  ${CMAKE_CURRENT_LIST_DIR}/document_print.cpp ${CMAKE_CURRENT_LIST_DIR}/document_print.h
  ${CMAKE_CURRENT_LIST_DIR}/printericon.cpp ${CMAKE_CURRENT_LIST_DIR}/printericon.h
  ${CMAKE_CURRENT_LIST_DIR}/printrichtext.cpp ${CMAKE_CURRENT_LIST_DIR}/printrichtext.h
  ${CMAKE_CURRENT_LIST_DIR}/richtextbox.cpp ${CMAKE_CURRENT_LIST_DIR}/richtextbox.h
  ${CMAKE_CURRENT_LIST_DIR}/txtform.cpp ${CMAKE_CURRENT_LIST_DIR}/txtform.h
)

# Qt's print plugin hands jobs to CUPS and drops its answer; the printer
# reads the answer, and the state of the queue, through the same libcups.
find_package(Cups REQUIRED)
target_link_libraries(kestrun_ui PRIVATE Cups::Cups)

# rtf2text FILE: the text our RTF reader makes of a file.
add_executable(rtf2text ${CMAKE_CURRENT_LIST_DIR}/../platform/rtf2text.cpp)
target_link_libraries(rtf2text PRIVATE kestrun_core)
set_target_properties(rtf2text PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

