# Checks that the source folders only reach down: nothing below the program (src/app) and
# the gallery includes them or links their libraries, and the skinned toolkit (src/ui,
# with its dialog frames) includes no window folder built on it.
# Run as: cmake -DSOURCE_DIR=<src folder> -P CheckLayering.cmake

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "SOURCE_DIR '${SOURCE_DIR}' is not a folder")
endif()

set(violations "")

# Appends every line of `file` that matches `pattern` to `violations`. Comment lines of
# CMake files are skipped, so a comment may name what a folder must not use.
function(report_matches file pattern)
  file(STRINGS "${file}" lines REGEX "${pattern}")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*#[^i]")
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
      list(APPEND violations "${name}: ${line}")
    endif()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

# The program's and the gallery's headers: "app/...", "gallery/..." and the gallery's
# own headers, which its library exports without a folder.
set(above_windows "#include[ \t]*[\"<](app/|gallery/|[^\">]*Gallery[^\">/]*\\.h)")
# The libraries of the program and the gallery.
set(above_windows_targets "corvane_app|corvane_gallery|corvane_sim_window")
# The window folders, whose dialogs are built on the toolkit.
set(above_toolkit "#include[ \t]*[\"<](macros/windows|keyfunc/dialogs|keyfunc/popups|sim)/")
set(above_toolkit_targets
  "corvane_macro_windows|corvane_macro_manager|corvane_keyfunc_dialogs|corvane_keyfunc_popups|corvane_sim")

file(GLOB_RECURSE sources LIST_DIRECTORIES false
  "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*CMakeLists.txt")
set(checked 0)
foreach(file IN LISTS sources)
  file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
  if(name MATCHES "^(app|gallery)/")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  set(in_toolkit FALSE)
  if(name MATCHES "^ui/")
    set(in_toolkit TRUE)
  endif()
  if(name MATCHES "CMakeLists\\.txt$")
    report_matches("${file}" "${above_windows_targets}")
    if(in_toolkit)
      report_matches("${file}" "${above_toolkit_targets}")
    endif()
  else()
    report_matches("${file}" "${above_windows}")
    if(in_toolkit)
      report_matches("${file}" "${above_toolkit}")
    endif()
  endif()
endforeach()

# A wrong SOURCE_DIR would find nothing and pass.
if(checked EQUAL 0)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}")
endif()
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes or links that reach up a layer:\n  ${text}")
endif()
message(STATUS "${checked} files checked")
