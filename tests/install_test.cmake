# Installs the build into a fresh prefix, checks what landed there, reads the man pages,
# and builds and runs the parser's example against the installed library through
# find_package (the package test builds it through pkg-config). It installs component by
# component, each of those that a plain install takes, so that the build's
# install_manifest.txt, which the README's uninstall reads, stays as the user's install left it.
# Expects BUILD_DIR, WORK_DIR, SOURCE_DIR and CXX.

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "failed (${status}): ${ARGV}\n${output}${error}")
    endif()
    set(output "${output}" PARENT_SCOPE)
    set(error "${error}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
set(manifest ${BUILD_DIR}/install_manifest.txt)
file(TIMESTAMP ${manifest} manifest_before "%s")
file(GLOB_RECURSE scripts ${BUILD_DIR}/cmake_install.cmake)
foreach(script ${scripts})
    file(STRINGS ${script} lines REGEX "STREQUAL \"[^\"]+\" OR NOT CMAKE_INSTALL_COMPONENT")
    foreach(line ${lines})
        string(REGEX MATCH "STREQUAL \"([^\"]+)\"" component "${line}")
        list(APPEND components ${CMAKE_MATCH_1})
    endforeach()
endforeach()
list(REMOVE_DUPLICATES components)
foreach(component ${components})
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component ${component})
endforeach()
file(TIMESTAMP ${manifest} manifest_after "%s")
if(NOT manifest_after STREQUAL manifest_before)
    message(FATAL_ERROR "the test's install touched ${manifest}")
endif()

set(expected bin/mavrel bin/mavrel-batch bin/mavrel-tile-names bin/mavrel-strict
    bin/mavrel-batch-status bin/mavrel-verify share/mavrel/tiles.sbatch
    share/bash-completion/completions/mavrel-batch share/bash-completion/completions/mavrel-verify
    share/man/man1/mavrel-batch.1.gz share/doc/mavrel/LICENSE share/bash-completion/completions/mavrel
    share/zsh/site-functions/_mavrel share/fish/vendor_completions.d/mavrel.fish
    bin/mavrel-georef share/bash-completion/completions/mavrel-georef
    share/zsh/site-functions/_mavrel-georef share/fish/vendor_completions.d/mavrel-georef.fish
    share/man/man1/mavrel-georef.1.gz share/elvish/lib/mavrel.elv share/elvish/lib/mavrel-georef.elv
    share/doc/mavrel/argparse/README.md
    share/man/man1/mavrel.1.gz share/man/man1/mavrel-tile-names.1.gz share/man/man1/mavrel-strict.1.gz
    share/man/man1/mavrel-batch-status.1.gz share/man/man1/mavrel-verify.1.gz lib/libmavrel_argparse.a
    include/argparse/args.hpp include/argparse/completion.hpp include/argparse/man_page.hpp
    include/argparse/validators.hpp
    lib/cmake/mavrel/mavrelConfig.cmake lib/pkgconfig/mavrel-argparse.pc)
# Each page, read as lintian reads it, gives no warning, lexgrog reads its NAME line, and it
# has the sections a reader looks for; a page linked to another is that page.
file(GLOB pages ${prefix}/share/man/man1/*)
foreach(page ${pages})
    if(IS_SYMLINK ${page})
        continue()
    endif()
    run(${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80
        man --warnings -E UTF-8 -l -Tutf8 -Z ${page})
    set(warnings "${error}")
    run(lexgrog ${page})
    set(whatis "${output}")
    get_filename_component(name ${page} NAME_WE)
    run(man -l ${page})
    foreach(section DESCRIPTION EXAMPLES "EXIT STATUS" "SEE ALSO")
        if(NOT output MATCHES "\n${section}\n" OR NOT whatis MATCHES ": \"${name} - "
           OR NOT warnings STREQUAL "")
            message(FATAL_ERROR "${page}: no ${section}, or NAME ${whatis}, or ${warnings}")
        endif()
    endforeach()
endforeach()
foreach(file ${expected})
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# The READMEs show the examples whole, so that they cannot drift from what is tested.
foreach(example argparse/README.md:greet.cpp:cpp argparse/README.md:CMakeLists.txt:cmake)
    string(REPLACE ":" ";" example ${example})
    list(GET example 0 readme)
    list(GET example 1 name)
    list(GET example 2 language)
    file(READ ${SOURCE_DIR}/${readme} shown)
    file(READ ${SOURCE_DIR}/examples/${name} text)
    string(FIND "${shown}" "```${language}\n${text}```\n" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "${readme} does not show examples/${name} as it is")
    endif()
endforeach()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples -B ${WORK_DIR}/build -G Ninja
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/greet world -t 2 --tone=loud -c)
if(NOT output STREQUAL "HELLO, world\nHELLO, world\n")
    message(FATAL_ERROR "unexpected greeting: ${output}")
endif()
