# What `cmake --install` adds for a desktop (the .desktop entry, the AppStream metainfo,
# the icon in the hicolor theme, the manual pages, the package's documents) and the CPack
# setup of the Debian package. The programs, skins/, lang/ and the udev rule are installed
# by their own folders. Linux only: cmake/PackagingWindows.cmake packages a Windows build.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

set(CORVANE_APP_ID org.corvane.Corvane)
set(CORVANE_MAINTAINER "Corvane maintainers <maintainers@corvane.org>")
set(corvane_dist ${PROJECT_SOURCE_DIR}/dist)
set(corvane_generated ${PROJECT_BINARY_DIR}/dist)

# --- desktop entry, metainfo, icon: only with the program ------------------------------
if(TARGET corvane AND TARGET corvane_skin_render)
  install(FILES ${corvane_dist}/linux/${CORVANE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${corvane_dist}/linux/${CORVANE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The program's interface on the session bus, where D-Bus tools look for it.
  install(FILES ${corvane_dist}/linux/org.corvane.Corvane1.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)

  # The icon is the skin table's program icon (row 128.png): the same SVG the program
  # embeds, with the palette filled in, and PNGs of it drawn at each size.
  set(icon_sizes 16 22 24 32 48 64 128 256)
  set(icon_dir ${corvane_generated}/icons/hicolor)
  set(icon_outputs ${icon_dir}/scalable/apps/${CORVANE_APP_ID}.svg)
  foreach(size IN LISTS icon_sizes)
    list(APPEND icon_outputs ${icon_dir}/${size}x${size}/apps/${CORVANE_APP_ID}.png)
  endforeach()
  find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
  add_executable(corvane_icon_render ${PROJECT_SOURCE_DIR}/tools/IconRender.cpp)
  target_link_libraries(corvane_icon_render PRIVATE Qt6::Gui Qt6::Svg)
  set_target_properties(corvane_icon_render PROPERTIES
    OUTPUT_NAME icon-render
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tools)
  corvane_warnings(corvane_icon_render)
  add_custom_command(
    OUTPUT ${icon_outputs}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${CMAKE_COMMAND}
            -DSKIN_RENDER=$<TARGET_FILE:corvane_skin_render>
            -DICON_RENDER=$<TARGET_FILE:corvane_icon_render>
            -DTABLE=${PROJECT_SOURCE_DIR}/skins/skins.tsv
            -DPALETTE=${PROJECT_SOURCE_DIR}/skins/palette.tsv
            -DSRC=${PROJECT_SOURCE_DIR}/skins/src
            -DROW=128.png -DNAME=${CORVANE_APP_ID} -DOUT=${icon_dir}
            "-DSIZES=${icon_sizes}"
            -P ${PROJECT_SOURCE_DIR}/cmake/RenderIcon.cmake
    DEPENDS corvane_skin_render corvane_icon_render ${PROJECT_SOURCE_DIR}/cmake/RenderIcon.cmake
            ${PROJECT_SOURCE_DIR}/skins/skins.tsv ${PROJECT_SOURCE_DIR}/skins/palette.tsv
            ${PROJECT_SOURCE_DIR}/skins/src/appicon.svg ${PROJECT_SOURCE_DIR}/skins/src/mouse_body.svgfrag
    COMMENT "Rendering the program's icon"
    VERBATIM)
  add_custom_target(corvane_icons ALL DEPENDS ${icon_outputs})
  install(DIRECTORY ${icon_dir} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# --- manual pages and the package's documents, compressed as Debian wants them ---------
find_program(CORVANE_GZIP gzip)
if(CORVANE_GZIP)
  configure_file(${corvane_dist}/debian/changelog.in ${corvane_generated}/changelog @ONLY)
  set(compressed_outputs)
  set(man_pages)
  foreach(page corvane.1 corvanectl.1)
    if((page STREQUAL "corvane.1" AND NOT TARGET corvane) OR (page STREQUAL "corvanectl.1" AND NOT TARGET corvanectl))
      continue()
    endif()
    list(APPEND man_pages ${corvane_generated}/man/${page}.gz)
    list(APPEND compressed_outputs ${corvane_generated}/man/${page}.gz)
    add_custom_command(
      OUTPUT ${corvane_generated}/man/${page}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/man/${page} ${corvane_generated}/man/${page}
      # -n: no name or time stamp inside, so the same page gives the same bytes.
      COMMAND ${CORVANE_GZIP} -9nf ${corvane_generated}/man/${page}
      DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}
      VERBATIM)
  endforeach()
  add_custom_command(
    OUTPUT ${corvane_generated}/doc/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${corvane_generated}/changelog ${corvane_generated}/doc/changelog
    COMMAND ${CORVANE_GZIP} -9nf ${corvane_generated}/doc/changelog
    DEPENDS ${corvane_generated}/changelog
    VERBATIM)
  list(APPEND compressed_outputs ${corvane_generated}/doc/changelog.gz)
  add_custom_target(corvane_compressed_docs ALL DEPENDS ${compressed_outputs})
  if(man_pages)
    install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
  install(FILES ${corvane_generated}/doc/changelog.gz ${corvane_dist}/debian/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane)
endif()

# --- the Debian package: cpack -G DEB in the build folder ------------------------------
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "The Corvane authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for a programmable gaming mouse")
set(CPACK_PACKAGE_CONTACT "${CORVANE_MAINTAINER}")
# Every path under /usr: udev reads rules from /usr/lib/udev/rules.d, not /usr/local.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CORVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin is part of libqt6gui6; Wayland's comes in its own package.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-dejavu-core")
# The long text under the summary line; Debian wants lines under 80 characters and "."
# for an empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvane sets the DPI levels, polling rate, lighting, lift-off distance,
button functions and macros of a programmable gaming mouse, shows its
battery and the link in use (cable, receiver or Bluetooth LE) and keeps
five profiles.
.
The package holds the program corvane, the command-line companion
corvanectl and a udev rule that lets the user at the seat open the mouse
without root.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${corvane_dist}/debian/postinst ${corvane_dist}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
