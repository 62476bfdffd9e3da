# Hardening for every build but the debug ones (the sanitizer build is one): stack protector,
# checked string and memory calls, format checks, read-only relocations bound at start, stack
# clash protection and control-flow protection. Debian's dpkg-buildpackage hands its flags over in
# the environment and turns the query below off; any other build (make build, make install,
# make package) asks dpkg-buildflags for the same set. The build type keeps choosing the
# optimisation level and debug information.
option(QUENDRA_BUILDFLAGS "Add the hardening flags of dpkg-buildflags to non-debug builds" ON)

function(quendra_dpkg_buildflags variable result)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env
            "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
            ${dpkg_buildflags} --get ${variable}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O.*)$")
    set(${result} ${flags} PARENT_SCOPE)
endfunction()

if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT QUENDRA_SANITIZE AND NOT QUENDRA_FUZZ)
    if(QUENDRA_BUILDFLAGS)
        find_program(dpkg_buildflags dpkg-buildflags)
        if(dpkg_buildflags)
            quendra_dpkg_buildflags(CPPFLAGS preprocessor_flags)
            quendra_dpkg_buildflags(CXXFLAGS compiler_flags)
            quendra_dpkg_buildflags(LDFLAGS linker_flags)
            add_compile_options(${preprocessor_flags} ${compiler_flags})
            add_link_options(${linker_flags})
            set(QUENDRA_HARDENED ON)
        else()
            message(WARNING "dpkg-buildflags not found: building without Debian's hardening flags")
        endif()
    endif()
    # Debian 12's dpkg-buildflags leaves these two out; later ones add them, where they are
    # harmless twice.
    include(CheckCXXCompilerFlag)
    foreach(flag -fstack-clash-protection -fcf-protection)
        string(MAKE_C_IDENTIFIER "quendra_has${flag}" supported)
        check_cxx_compiler_flag(${flag} ${supported})
        if(${supported})
            add_compile_options(${flag})
        endif()
    endforeach()
endif()
