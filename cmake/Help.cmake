# Builds the HTML Help file velmora.chm beside velmora.exe from the pages in res/help.
# The compiler is Free Pascal's chmcmd (Debian package fp-utils); where it is missing
# (a build on Windows, for instance) the help is skipped and the program runs without it.
find_program(CHMCMD_EXECUTABLE chmcmd)

if(NOT CHMCMD_EXECUTABLE)
  message(STATUS "chmcmd not found: velmora.chm is not built (install fp-utils to build the help)")
  return()
endif()

set(VELMORA_HELP_SOURCE ${PROJECT_SOURCE_DIR}/res/help)
set(VELMORA_HELP_WORK ${CMAKE_BINARY_DIR}/help)
file(GLOB VELMORA_HELP_FILES CONFIGURE_DEPENDS ${VELMORA_HELP_SOURCE}/*)

# chmcmd writes the .chm next to the project file, so it runs in a fresh copy of the pages
# (pages removed from res/help must not linger in the copy); the result is compiled beside
# the copy and then placed beside the program.
add_custom_command(
  OUTPUT ${VELMORA_HELP_WORK}/velmora.chm
  COMMAND ${CMAKE_COMMAND} -E remove_directory ${VELMORA_HELP_WORK}/pages
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VELMORA_HELP_SOURCE} ${VELMORA_HELP_WORK}/pages
  COMMAND ${CMAKE_COMMAND} -E chdir ${VELMORA_HELP_WORK}/pages ${CHMCMD_EXECUTABLE} velmora.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${VELMORA_HELP_WORK}/pages/velmora.chm ${VELMORA_HELP_WORK}/velmora.chm
  DEPENDS ${VELMORA_HELP_FILES}
  COMMENT "Building the help file velmora.chm"
  VERBATIM)

add_custom_target(velmora_help ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VELMORA_HELP_WORK}/velmora.chm $<TARGET_FILE_DIR:velmora>/velmora.chm
  DEPENDS ${VELMORA_HELP_WORK}/velmora.chm
  VERBATIM)
