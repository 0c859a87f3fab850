# Firmware images carried by the program. The default build carries none; a build that
# should carry them names the files:
#   -DCORVANE_FIRMWARE_APP_IMAGE=/path/app.bin -DCORVANE_FIRMWARE_BASE_IMAGE=/path/base.bin
# A small host tool turns them into a source file in the build tree, compiled into
# corvane_firmware_images (the functions of src/device/EmbeddedFirmware.h).
set(CORVANE_FIRMWARE_APP_IMAGE "" CACHE FILEPATH "Program image for the mouse to embed (empty: none)")
set(CORVANE_FIRMWARE_BASE_IMAGE "" CACHE FILEPATH "Base image for the mouse to embed (empty: none)")

if(CMAKE_CROSSCOMPILING)
  corvane_import_host_tool(corvane_binary_to_source)
else()
  add_executable(corvane_binary_to_source ${PROJECT_SOURCE_DIR}/tools/BinaryToSource.cpp)
  set_target_properties(corvane_binary_to_source PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  corvane_warnings(corvane_binary_to_source)
endif()

set(corvane_firmware_arguments)
set(corvane_firmware_inputs)
foreach(kind APP BASE)
  set(image "${CORVANE_FIRMWARE_${kind}_IMAGE}")
  if(NOT image STREQUAL "")
    if(NOT EXISTS "${image}" OR IS_DIRECTORY "${image}")
      message(FATAL_ERROR "CORVANE_FIRMWARE_${kind}_IMAGE: no such file: ${image}")
    endif()
    string(TOLOWER ${kind} option)
    list(APPEND corvane_firmware_arguments --${option} "${image}")
    list(APPEND corvane_firmware_inputs "${image}")
  endif()
endforeach()

set(corvane_firmware_source ${CMAKE_CURRENT_BINARY_DIR}/generated/EmbeddedFirmwareImages.cpp)
add_custom_command(
  OUTPUT ${corvane_firmware_source}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
  COMMAND corvane_binary_to_source ${corvane_firmware_source} ${corvane_firmware_arguments}
  DEPENDS corvane_binary_to_source ${corvane_firmware_inputs}
  COMMENT "Embedding the firmware images"
  VERBATIM)

add_library(corvane_firmware_images STATIC ${corvane_firmware_source})
target_include_directories(corvane_firmware_images PUBLIC ${PROJECT_SOURCE_DIR}/src)
corvane_warnings(corvane_firmware_images)
