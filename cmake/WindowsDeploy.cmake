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

# Every DLL the search folders offer, by its lower-case name: Windows compares DLL names
# without regard to case (the programs import "QT6CORE.dll" or "Qt6Core.dll" alike), the
# file system here does not. The first folder that has a name wins.
foreach(dir IN LISTS CORVANE_DEPLOY_SEARCH_DIRS)
  file(GLOB dlls LIST_DIRECTORIES false "${dir}/*.dll")
  foreach(dll IN LISTS dlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" key)
    if(NOT DEFINED offered_${key})
      set(offered_${key} "${dll}")
    endif()
  endforeach()
endforeach()

# The imports, followed from the programs and plugins through every DLL found.
set(queue)
foreach(file IN LISTS CORVANE_DEPLOY_EXECUTABLES CORVANE_DEPLOY_MODULES)
  list(APPEND queue "${CORVANE_DEPLOY_DIR}/${file}")
endforeach()
set(modules)
foreach(file IN LISTS CORVANE_DEPLOY_MODULES)
  list(APPEND modules "${CORVANE_DEPLOY_DIR}/${file}")
endforeach()
set(resolved)
set(unresolved)
while(queue)
  list(POP_FRONT queue binary)
  execute_process(COMMAND "${CORVANE_DEPLOY_OBJDUMP}" -p "${binary}"
    OUTPUT_VARIABLE headers RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CORVANE_DEPLOY_OBJDUMP} cannot read ${binary}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" name "${import}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" key)
    set(own FALSE)
    foreach(pattern IN LISTS windows_own_dlls ITEMS "^api-ms-win-" "^ext-ms-win-")
      if(key MATCHES "${pattern}")
        set(own TRUE)
      endif()
    endforeach()
    list(FIND resolved "${offered_${key}}" known)
    if(own OR NOT known EQUAL -1)
      continue()
    endif()
    if(DEFINED offered_${key})
      list(APPEND resolved "${offered_${key}}")
      list(APPEND queue "${offered_${key}}")
    else()
      get_filename_component(importer "${binary}" NAME)
      list(APPEND unresolved "${name} (imported by ${importer})")
    endif()
  endforeach()
endwhile()
list(REMOVE_DUPLICATES unresolved)

if(unresolved)
  list(JOIN unresolved ", " names)
  message(FATAL_ERROR "The Windows programs import DLLs that are neither in "
    "${CORVANE_DEPLOY_SEARCH_DIRS} nor among Windows' own (cmake/WindowsDeploy.cmake): ${names}")
endif()

foreach(dll IN LISTS resolved)
  get_filename_component(name "${dll}" NAME)
  message(STATUS "Installing: ${CORVANE_DEPLOY_DIR}/${name} (imported)")
  file(COPY_FILE "${dll}" "${CORVANE_DEPLOY_DIR}/${name}" ONLY_IF_DIFFERENT)
  if(CMAKE_INSTALL_DO_STRIP AND CORVANE_DEPLOY_STRIP)
    execute_process(COMMAND "${CORVANE_DEPLOY_STRIP}" --strip-unneeded "${CORVANE_DEPLOY_DIR}/${name}"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
# The plugins came from Qt's tree through install(FILES), which never strips. Unneeded
# symbols only: a DLL's exports live in their own table, which strip keeps.
if(CMAKE_INSTALL_DO_STRIP AND CORVANE_DEPLOY_STRIP)
  foreach(module IN LISTS modules)
    execute_process(COMMAND "${CORVANE_DEPLOY_STRIP}" --strip-unneeded "${module}"
      COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
