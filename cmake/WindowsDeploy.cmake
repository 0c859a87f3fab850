# Run by `cmake --install` (and so by cpack) in a Windows build, after the programs are in
# place: copies into the installed folder every DLL the programs and the Qt plugins import,
# from the folders given, and fails on an import that is neither found there nor one of
# Windows' own DLLs, so a folder that would not start on a clean Windows is never made.
#
# Set by the install(CODE) before it (cmake/PackagingWindows.cmake):
#   CORVANE_DEPLOY_DIR          the installed folder (DESTDIR applied)
#   CORVANE_DEPLOY_EXECUTABLES  the installed programs, relative to that folder
#   CORVANE_DEPLOY_MODULES      the installed plugin DLLs, relative to that folder
#   CORVANE_DEPLOY_SEARCH_DIRS  where the DLLs come from: Qt's bin/, the MinGW runtime's
#   CORVANE_DEPLOY_OBJDUMP      the MinGW objdump, which reads a DLL's import table
#   CORVANE_DEPLOY_STRIP        the MinGW strip, used when the install strips (--strip)

# The DLLs Windows itself provides (System32, and the API sets it maps to them). Lower
# case: the names are compared that way. A program or plugin that starts importing a new
# one stops the install here until it is named, after checking that it is Windows' own
# and not something to ship.
set(windows_own_dlls
  advapi32 authz cfgmgr32 comctl32 comdlg32 crypt32 d3d9 d3d11 d3d12 dnsapi dwmapi dwrite
  dxgi gdi32 hid imm32 iphlpapi kernel32 mpr msvcrt netapi32 ntdll ole32 oleaut32 secur32
  setupapi shcore shell32 shlwapi user32 userenv uxtheme version winhttp winmm ws2_32
  wtsapi32)
list(TRANSFORM windows_own_dlls APPEND "\\.dll$")
list(TRANSFORM windows_own_dlls PREPEND "^")

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${CORVANE_DEPLOY_OBJDUMP}")

set(executables)
foreach(file IN LISTS CORVANE_DEPLOY_EXECUTABLES)
  list(APPEND executables "${CORVANE_DEPLOY_DIR}/${file}")
endforeach()
set(modules)
foreach(file IN LISTS CORVANE_DEPLOY_MODULES)
  list(APPEND modules "${CORVANE_DEPLOY_DIR}/${file}")
endforeach()

file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${executables}
  MODULES ${modules}
  DIRECTORIES ${CORVANE_DEPLOY_SEARCH_DIRS}
  PRE_EXCLUDE_REGEXES "^api-ms-win-" "^ext-ms-win-" ${windows_own_dlls}
  RESOLVED_DEPENDENCIES_VAR resolved
  UNRESOLVED_DEPENDENCIES_VAR unresolved
  CONFLICTING_DEPENDENCIES_PREFIX conflicting)

if(unresolved)
  list(JOIN unresolved ", " names)
  message(FATAL_ERROR "The Windows programs import DLLs that are neither in "
    "${CORVANE_DEPLOY_SEARCH_DIRS} nor among Windows' own (cmake/WindowsDeploy.cmake): ${names}")
endif()
if(conflicting_FILENAMES)
  list(JOIN conflicting_FILENAMES ", " names)
  message(FATAL_ERROR "DLLs found in more than one of ${CORVANE_DEPLOY_SEARCH_DIRS}: ${names}")
endif()

foreach(dll IN LISTS resolved)
  get_filename_component(name "${dll}" NAME)
  message(STATUS "Installing: ${CORVANE_DEPLOY_DIR}/${name} (imported)")
  file(COPY_FILE "${dll}" "${CORVANE_DEPLOY_DIR}/${name}" ONLY_IF_DIFFERENT)
  if(CMAKE_INSTALL_DO_STRIP AND CORVANE_DEPLOY_STRIP)
    execute_process(COMMAND "${CORVANE_DEPLOY_STRIP}" --strip-debug "${CORVANE_DEPLOY_DIR}/${name}"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
# The plugins came from Qt's tree through install(FILES), which never strips.
if(CMAKE_INSTALL_DO_STRIP AND CORVANE_DEPLOY_STRIP)
  foreach(module IN LISTS modules)
    execute_process(COMMAND "${CORVANE_DEPLOY_STRIP}" --strip-debug "${module}"
      COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
