# Makes the installed icon from the skin table's program icon: the SVG with every token
# filled (skin-render --dump) and PNGs of it for the hicolor theme.
#   cmake -DSKIN_RENDER=... -DICON_RENDER=... -DTABLE=... -DPALETTE=... -DSRC=...
#         -DROW=128.png -DNAME=... -DOUT=... -DSIZES="16;32;..." -P RenderIcon.cmake
file(MAKE_DIRECTORY ${OUT}/scalable/apps)
set(svg ${OUT}/scalable/apps/${NAME}.svg)
execute_process(
  COMMAND ${SKIN_RENDER} --table ${TABLE} --palette ${PALETTE} --src ${SRC} --dump ${ROW}
  OUTPUT_FILE ${svg}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "skin-render --dump ${ROW} failed: ${result}")
endif()
execute_process(COMMAND ${ICON_RENDER} ${svg} ${NAME} ${OUT} ${SIZES} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "icon-render failed: ${result}")
endif()
