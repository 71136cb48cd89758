# Compiler settings shared by every Velmora target.
set(VELMORA_COMPILE_DEFINITIONS
  _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

function(velmora_target_options target)
  target_compile_definitions(${target} PRIVATE ${VELMORA_COMPILE_DEFINITIONS})
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Werror -finput-charset=UTF-8 -fexec-charset=CP1252>)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "EXECUTABLE")
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    # Every program carries the runtime's bridge to Windows XP (src/runtime), so the
    # tested programs run the same runtime as the release.
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:velmora_runtime>)
  endif()
endfunction()

# velmora_library(name folder [dependencies...]): a static library of every source in folder.
function(velmora_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")  # the program entry belongs to the exe
  add_library(${name} STATIC ${sources})
  velmora_target_options(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_definitions(${name} PUBLIC ${VELMORA_COMPILE_DEFINITIONS})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
