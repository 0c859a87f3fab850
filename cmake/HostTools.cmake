# Programs the build runs itself (the language file converter, the firmware embedder) must
# run on the building machine. A cross build cannot run what it compiles, so there they
# come from a native build of the same sources: CORVANE_HOST_TOOLS_DIR names the folder
# holding them (tools/cross-build-windows.sh makes one).
set(CORVANE_HOST_TOOLS_DIR "" CACHE PATH "Cross builds: folder of a native build's tools (build/tools)")

# Declares NAME as the native build's program of that name (or of the file name given
# second, where the target's output name differs); custom commands then name it exactly as
# they name the target in a native build.
function(corvane_import_host_tool name)
  set(file_name ${name})
  if(ARGC GREATER 1)
    set(file_name ${ARGV1})
  endif()
  if(CORVANE_HOST_TOOLS_DIR STREQUAL "")
    message(FATAL_ERROR "A cross build runs ${name} of a native build: "
      "set CORVANE_HOST_TOOLS_DIR to that build's tools folder (see tools/cross-build-windows.sh)")
  endif()
  set(program ${CORVANE_HOST_TOOLS_DIR}/${file_name}${CMAKE_HOST_EXECUTABLE_SUFFIX})
  if(NOT EXISTS ${program})
    message(FATAL_ERROR "CORVANE_HOST_TOOLS_DIR: no ${file_name} in ${CORVANE_HOST_TOOLS_DIR}")
  endif()
  add_executable(${name} IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${program})
endfunction()
