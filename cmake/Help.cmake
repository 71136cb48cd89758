# Builds the HTML Help files beside velmora.exe: the German velmora.chm from the pages in
# res/help, and the English one from res/help/english into the folder "english".
# The compiler is Free Pascal's chmcmd (Debian package fp-utils); where it is missing
# (a build on Windows, for instance) the help is skipped and the program runs without it.
find_program(CHMCMD_EXECUTABLE chmcmd)

if(NOT CHMCMD_EXECUTABLE)
  message(STATUS "chmcmd not found: velmora.chm is not built (install fp-utils to build the help)")
  return()
endif()

# velmora_help_file(TARGET SOURCE_FOLDER WORK_FOLDER OUTPUT_FOLDER [SHARED_FILES...]):
# velmora.chm of the pages in SOURCE_FOLDER (its files only) and of the shared files
# (the style sheet both languages use), placed in OUTPUT_FOLDER.
function(velmora_help_file target source work output)
  file(GLOB pages LIST_DIRECTORIES false CONFIGURE_DEPENDS ${source}/*)
  list(APPEND pages ${ARGN})
  # chmcmd writes the .chm next to the project file, so it runs in a fresh copy of the
  # pages (pages removed from the source must not linger in the copy); the result is
  # compiled beside the copy and then placed where the program finds it.
  add_custom_command(
    OUTPUT ${work}/velmora.chm
    COMMAND ${CMAKE_COMMAND} -E remove_directory ${work}/pages
    COMMAND ${CMAKE_COMMAND} -E make_directory ${work}/pages
    COMMAND ${CMAKE_COMMAND} -E copy ${pages} ${work}/pages
    COMMAND ${CMAKE_COMMAND} -E chdir ${work}/pages ${CHMCMD_EXECUTABLE} velmora.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${work}/pages/velmora.chm ${work}/velmora.chm
    DEPENDS ${pages}
    COMMENT "Building the help file velmora.chm of ${source}"
    VERBATIM)
  add_custom_target(${target} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${work}/velmora.chm ${output}/velmora.chm
    DEPENDS ${work}/velmora.chm
    VERBATIM)
endfunction()

velmora_help_file(velmora_help ${PROJECT_SOURCE_DIR}/res/help ${CMAKE_BINARY_DIR}/help $<TARGET_FILE_DIR:velmora>)
velmora_help_file(velmora_help_english ${PROJECT_SOURCE_DIR}/res/help/english ${CMAKE_BINARY_DIR}/help-english
                  $<TARGET_FILE_DIR:velmora>/english ${PROJECT_SOURCE_DIR}/res/help/velmora.css)
