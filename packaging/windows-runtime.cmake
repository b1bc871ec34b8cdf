# Run by `cmake --install` (packaging/windows.cmake): copies beside the client every DLL that it
# and its plugins import, as CMake's runtime-dependency reader finds them, but Windows' own.
# CMake looks the names up in lower case and Linux file names are case-sensitive: it looks in a
# folder of lower-case links (TORVO_NAMES_DIR), and each DLL is copied under its own name.
set(deploy "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(REMOVE_RECURSE "${TORVO_NAMES_DIR}")
file(MAKE_DIRECTORY "${TORVO_NAMES_DIR}")
foreach(dir IN LISTS TORVO_RUNTIME_DIRS)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" lower)
        if(NOT EXISTS "${TORVO_NAMES_DIR}/${lower}")
            file(CREATE_LINK "${dll}" "${TORVO_NAMES_DIR}/${lower}" SYMBOLIC)
        endif()
    endforeach()
endforeach()

list(POP_FRONT TORVO_PROGRAMS program)
set(modules "")
foreach(plugin IN LISTS TORVO_PROGRAMS)
    list(APPEND modules "${deploy}/${plugin}")
endforeach()
file(GET_RUNTIME_DEPENDENCIES
     EXECUTABLES "${deploy}/${program}"
     MODULES ${modules}
     DIRECTORIES "${TORVO_NAMES_DIR}" "${TORVO_WINDOWS_SYSTEM_DIR}"
     RESOLVED_DEPENDENCIES_VAR resolved
     UNRESOLVED_DEPENDENCIES_VAR unresolved
     POST_EXCLUDE_REGEXES "^${TORVO_WINDOWS_SYSTEM_DIR}/")
# api-ms-win-* are names of Windows' own API sets, never files.
list(FILTER unresolved EXCLUDE REGEX "^(api|ext)-ms-")
if(unresolved)
    message(FATAL_ERROR "DLLs found nowhere: ${unresolved}")
endif()
foreach(link IN LISTS resolved)
    file(REAL_PATH "${link}" dll)
    file(INSTALL "${dll}" DESTINATION "${deploy}")
    # Debian's MinGW runtime keeps its debug information (24 of libstdc++'s 25 MB): into symbols/.
    if(CMAKE_INSTALL_DO_STRIP AND TORVO_STRIP)
        get_filename_component(name "${dll}" NAME)
        execute_process(COMMAND "${TORVO_STRIP}" --strip-unneeded "${deploy}/${name}")
        torvo_keep_symbols("${dll}" "${deploy}/${name}" "${name}")
    endif()
endforeach()
