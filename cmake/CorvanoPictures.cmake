# corvano_add_pictures(TARGET): puts the launcher's button pictures into img/ beside the
# target's executable when it is built, and installs them beside it too.
include(GNUInstallDirs)

function(corvano_add_pictures target)
    set(pictures ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../assets/img/B1.jpg
                 ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../assets/img/B2.jpg)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/img
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}
                $<TARGET_FILE_DIR:${target}>/img
        VERBATIM)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${pictures} DESTINATION ${CMAKE_INSTALL_BINDIR}/img)
endfunction()
