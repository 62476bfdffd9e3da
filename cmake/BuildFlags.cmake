# Debian's hardening flags for the optimised builds (the ones installed and packaged): stack
# protector, checked string and memory calls, format checks, read-only relocations bound at start.
# dpkg-buildpackage hands its flags over in the environment and turns this off; any other build
# (make build, make install, make package) asks dpkg-buildflags for the same set. The build type
# keeps choosing the optimisation level and debug information; sanitizer and fuzz builds keep
# theirs.
option(QUENDRA_BUILDFLAGS "Add the hardening flags of dpkg-buildflags to optimised builds" ON)

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

if(QUENDRA_BUILDFLAGS AND NOT QUENDRA_SANITIZE AND NOT QUENDRA_FUZZ
    AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
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
