# What `cmake --install` puts in place: the programs, the files they read from
# <prefix>/share/velvora (the stub, the user guide, the install marker), the desktop
# entries, the hicolor icons and the AppStream metainfo. The guide is also copied into the
# build tree, so that a program run from there finds it beside itself.

set(velvora_app_id org.velvora.Velvora)
set(velvora_desktop ${PROJECT_SOURCE_DIR}/resources/desktop)

install(TARGETS velvora velvora-viewer velvora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Only the stub is installed: the tool writes its CD viewer from its own embedded copy.
if(VELVORA_WITH_WINDOWS)
  install(FILES ${VELVORA_ZORBSTUB} DESTINATION ${VELVORA_INSTALL_DATADIR})
endif()
install(FILES ${velvora_desktop}/installed DESTINATION ${VELVORA_INSTALL_DATADIR})

add_custom_target(velvora_guide ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/docs/guide ${PROJECT_BINARY_DIR}/guide
  COMMENT "Copying the user guide beside the programs")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide/ DESTINATION ${VELVORA_INSTALL_DATADIR}/guide)

install(FILES ${velvora_desktop}/${velvora_app_id}.desktop ${velvora_desktop}/${velvora_app_id}.Viewer.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${velvora_desktop}/${velvora_app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The PNG sizes are rendered from the one drawing, so they never drift from it.
find_program(VELVORA_RSVG_CONVERT rsvg-convert REQUIRED)
set(velvora_icon_svg ${PROJECT_SOURCE_DIR}/resources/icons/${velvora_app_id}.svg)
set(velvora_icon_hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${velvora_icon_svg} DESTINATION ${velvora_icon_hicolor}/scalable/apps)
set(velvora_icon_pngs)
foreach(size 48 256)
  set(png ${PROJECT_BINARY_DIR}/icons/${size}/${velvora_app_id}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}
    COMMAND ${VELVORA_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${velvora_icon_svg}
    DEPENDS ${velvora_icon_svg}
    COMMENT "Rendering the ${size} pixel icon")
  list(APPEND velvora_icon_pngs ${png})
  install(FILES ${png} DESTINATION ${velvora_icon_hicolor}/${size}x${size}/apps)
endforeach()
add_custom_target(velvora_icons ALL DEPENDS ${velvora_icon_pngs})
