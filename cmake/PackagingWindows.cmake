# Windows: what `cmake --install` adds to make the installed folder self-contained, and the
# CPack setup of the installer (NSIS, Debian's makensis) and of the zip of that folder.
#
# The folder (the programs and their resources are installed by their own CMakeLists with
# CMAKE_INSTALL_BINDIR and CORVANE_INSTALL_RESOURCEDIR set to "." in the top CMakeLists):
#   corvane.exe, corvanectl.exe     the programs (the MinGW runtime linked in)
#   skins/, lang/                   beside them, where ResourceFolder looks first
#   Qt6*.dll                        the Qt libraries the programs import
#   platforms/qwindows.dll          Qt's Windows platform plugin, loaded at start
#   styles/qwindowsvistastyle.dll   Qt's Windows style, for the standard dialogs
#   libstdc++-6.dll, ...            the MinGW runtime that Qt's DLLs import
#   qt.conf                         keeps Qt's plugin search in this folder
# tools/package-windows.sh builds the installer and the zip from build-windows/.
if(NOT WIN32)
  return()
endif()

set(corvane_programs)
foreach(target corvane corvanectl)
  if(TARGET ${target})
    list(APPEND corvane_programs ${target})
  endif()
endforeach()

set(corvane_plugins)
set(corvane_search_dirs)
if(TARGET corvane)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
  foreach(plugin Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
    if(NOT TARGET ${plugin})
      message(FATAL_ERROR "The Windows Qt has no ${plugin}: the installed program would not start")
    endif()
  endforeach()
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
  list(APPEND corvane_plugins
    "platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>"
    "styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>")
  list(APPEND corvane_search_dirs "$<TARGET_FILE_DIR:Qt6::Core>")

  # Without it Qt also looks for plugins in ../plugins, outside the folder: for a zip
  # unpacked in Downloads, a folder anyone could drop a DLL into. The paths in it are
  # relative to qt.conf's own folder.
  file(WRITE ${PROJECT_BINARY_DIR}/dist/windows/qt.conf "[Paths]\nPrefix = .\nPlugins = .\n")
  install(FILES ${PROJECT_BINARY_DIR}/dist/windows/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The MinGW runtime DLLs sit in the compiler's own folders; it names them.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${runtime_path}" AND EXISTS "${runtime_path}")
    get_filename_component(runtime_dir "${runtime_path}" DIRECTORY)
    get_filename_component(runtime_dir "${runtime_dir}" REALPATH)
    list(APPEND corvane_search_dirs "${runtime_dir}")
  endif()
endforeach()
list(REMOVE_DUPLICATES corvane_search_dirs)

# The cross compiler's objdump here; on Windows, MinGW's own, named plainly.
find_program(CORVANE_MINGW_OBJDUMP NAMES ${CORVANE_MINGW_TRIPLET}-objdump x86_64-w64-mingw32-objdump objdump
  REQUIRED)

set(corvane_program_files)
foreach(target IN LISTS corvane_programs)
  list(APPEND corvane_program_files "$<TARGET_FILE_NAME:${target}>")
endforeach()
install(CODE "
  set(CORVANE_DEPLOY_DIR \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  set(CORVANE_DEPLOY_EXECUTABLES \"${corvane_program_files}\")
  set(CORVANE_DEPLOY_MODULES \"${corvane_plugins}\")
  set(CORVANE_DEPLOY_SEARCH_DIRS \"${corvane_search_dirs}\")
  set(CORVANE_DEPLOY_OBJDUMP \"${CORVANE_MINGW_OBJDUMP}\")
  set(CORVANE_DEPLOY_STRIP \"${CMAKE_STRIP}\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/WindowsDeploy.cmake)

# --- the installer and the zip: cpack in the build folder ------------------------------
set(CPACK_PACKAGE_NAME Corvane)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for a programmable gaming mouse")
set(CPACK_PACKAGE_FILE_NAME corvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Corvane)
# The name of the Add/Remove Programs entry's key (...\CurrentVersion\Uninstall\Corvane).
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Corvane)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR NSIS ZIP)

set(CPACK_NSIS_PACKAGE_NAME Corvane)
set(CPACK_NSIS_DISPLAY_NAME Corvane)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer: the programs are 64-bit, it writes the 64-bit view of the registry
# (where Add/Remove Programs lists 64-bit programs), and it runs where no 32-bit Windows
# layer is installed, as in a 64-bit-only Wine.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ${CMAKE_INSTALL_BINDIR})
if(TARGET corvane)
  # The Start menu entry: Corvane\Corvane.lnk, beside the uninstaller's.
  set(CPACK_PACKAGE_EXECUTABLES corvane Corvane)
  set(CPACK_NSIS_INSTALLED_ICON_NAME corvane.exe)
endif()
set(CPACK_NSIS_URL_INFO_ABOUT "https://corvane.org/")
set(CPACK_NSIS_CONTACT "maintainers@corvane.org")
# An earlier install is uninstalled first, so its files never mix with the new ones.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# No licence has been chosen yet (dist/debian/copyright): nothing to accept.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)

include(CPack)
