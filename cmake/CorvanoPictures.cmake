# corvano_add_pictures(TARGET): puts the launcher's button pictures into img/ beside the
# target's executable when it is built. A folder that holds img/ is a portable copy: the
# program keeps its files beside itself there (see ProgramLocations).
function(corvano_add_pictures target)
    set(pictures ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../assets/img/B1.jpg
                 ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../assets/img/B2.jpg)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/img
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pictures}
                $<TARGET_FILE_DIR:${target}>/img
        VERBATIM)
endfunction()
