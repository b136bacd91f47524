# cmake --install build --prefix P lays out a tree that runs from anywhere:
#   P/lib/lumivia/bin/   lumivia and lumivia-tour
#   P/lib/lumivia/       Data/ and Shader/, which the programs find at ../Data and ../Shader
#                        from their executable's folder, as in the build tree
#   P/bin/               links to both programs, for the path
#   P/share/applications/lumivia.desktop and the icon under P/share/icons/hicolor.
set(LUMIVIA_INSTALL_DIR lib/lumivia)
set(programs lumivia)
if(TARGET lumivia-tour)
    list(APPEND programs lumivia-tour)
endif()
install(TARGETS ${programs} RUNTIME DESTINATION ${LUMIVIA_INSTALL_DIR}/bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data ${CMAKE_SOURCE_DIR}/Shader
    DESTINATION ${LUMIVIA_INSTALL_DIR})

# Relative links, so the installed tree can be moved as a whole; the program resolves its
# own link to find its folder.
set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
foreach(program ${programs})
    file(CREATE_LINK ../${LUMIVIA_INSTALL_DIR}/bin/${program} ${link_dir}/${program} SYMBOLIC)
    install(FILES ${link_dir}/${program} DESTINATION bin)
endforeach()

# The menu entry names the program by its installed path, which is known only when the
# install runs (--prefix may differ from the configured prefix).
set(desktop_file ${CMAKE_BINARY_DIR}/lumivia.desktop)
install(CODE "
    set(LUMIVIA_EXEC \"\${CMAKE_INSTALL_PREFIX}/bin/lumivia\")
    configure_file(${CMAKE_SOURCE_DIR}/app/desktop/lumivia.desktop.in ${desktop_file} @ONLY)
")
install(FILES ${desktop_file} DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/Data/Icon/lumivia.png
    DESTINATION share/icons/hicolor/256x256/apps)
