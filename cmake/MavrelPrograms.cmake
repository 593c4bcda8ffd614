# Installs mavrel's commands and gathers them, under their installed names, in the build's bin
# directory (links to the built programs and to the scripts of the source tree), so that
# putting that one directory on the PATH gives what an installation's bin directory gives.

set(MAVREL_BIN_DIR ${PROJECT_BINARY_DIR}/bin)
file(MAKE_DIRECTORY ${MAVREL_BIN_DIR})

# A program built by TARGET (installed by its own directory): linked into the bin directory
# whenever the build runs, as its file exists only once built.
function(mavrel_program target)
    add_custom_target(${target}_in_bin ALL
        COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:${target}>
                ${MAVREL_BIN_DIR}/$<TARGET_FILE_NAME:${target}>
        VERBATIM)
    add_dependencies(${target}_in_bin ${target})
endfunction()

# A script of the current source directory, installed as the command NAME with its manual page
# man/NAME.1 beside it: the version filled in, gzipped without name or time for reproducible
# packages.
function(mavrel_script source name)
    set(script ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    install(PROGRAMS ${script} DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${name} COMPONENT tool)
    file(CREATE_LINK ${script} ${MAVREL_BIN_DIR}/${name} SYMBOLIC)
    get_filename_component(directory ${script} DIRECTORY)
    set(page ${PROJECT_BINARY_DIR}/man/${name}.1)
    configure_file(${directory}/man/${name}.1 ${page} @ONLY)
    execute_process(COMMAND gzip -9nc ${page} OUTPUT_FILE ${page}.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
endfunction()
