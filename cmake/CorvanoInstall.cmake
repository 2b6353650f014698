# What `cmake --install` puts under the prefix: the programs, the launcher's pictures, the
# desktop entries (the program's, and the opener of .url files) with its icons and AppStream metadata, the manual pages and bash completion.
include(GNUInstallDirs)

set(CORVANO_APP_ID org.corvano.Corvano)
find_program(GZIP gzip REQUIRED)

# corvano_gzip(NAME INPUT DESTINATION): installs INPUT compressed as Debian wants it (gzip -9n,
# no time stamp), as NAME.gz.
function(corvano_gzip name input destination)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${GZIP} -9nc ${input} > ${output}
        DEPENDS ${input})
    add_custom_target(corvano-gzip-${name} ALL DEPENDS ${output})
    install(FILES ${output} DESTINATION ${destination})
endfunction()
set(dist ${PROJECT_SOURCE_DIR}/dist/linux)
set(assets ${PROJECT_SOURCE_DIR}/assets)

install(TARGETS corvano-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Not shown in menus: it makes a double click on a .url file open the page in the browser.
install(FILES ${dist}/${CORVANO_APP_ID}.OpenShortcut.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
if(TARGET corvano)
    install(TARGETS corvano RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${assets}/img/B1.jpg ${assets}/img/B2.jpg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/corvano/img)
    install(FILES ${dist}/${CORVANO_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${dist}/${CORVANO_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${assets}/icons/corvano.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${CORVANO_APP_ID}.svg)
    foreach(size 16 22 24 32 48 64 128 256)
        install(FILES ${assets}/icons/corvano-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${CORVANO_APP_ID}.png)
    endforeach()
    corvano_gzip(corvano.1 ${dist}/corvano.1 ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The manual page of corvano-cli is made from its --help, so the two cannot disagree.
if(NOT CMAKE_CROSSCOMPILING)
    find_program(HELP2MAN help2man REQUIRED)
    set(manual ${CMAKE_CURRENT_BINARY_DIR}/corvano-cli.1)
    add_custom_command(OUTPUT ${manual}
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr
                --name "turn a web page that lists links into Internet-shortcut files"
                --output ${manual} $<TARGET_FILE:corvano-cli>
        DEPENDS corvano-cli
        VERBATIM)
    corvano_gzip(corvano-cli.1 ${manual} ${CMAKE_INSTALL_MANDIR}/man1)
endif()

corvano_gzip(changelog ${dist}/changelog ${CMAKE_INSTALL_DATADIR}/doc/corvano)
install(FILES ${dist}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvano)

install(FILES ${dist}/corvano-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME corvano-cli)
