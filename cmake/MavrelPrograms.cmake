# Installs mavrel's commands and gathers them, under their installed names, in the build's bin
# directory (links to the built programs), so that putting that one directory on the PATH
# gives what an installation's bin directory gives.

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

# Another name of a program built by TARGET, under which it acts as that name says: a link to
# it, in the bin directory and installed.
function(mavrel_alias target name)
    set(link ${PROJECT_BINARY_DIR}/aliases/${name})
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/aliases)
    file(CREATE_LINK ${target} ${link} SYMBOLIC)
    file(CREATE_LINK ${target} ${MAVREL_BIN_DIR}/${name} SYMBOLIC)
    install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
endfunction()
