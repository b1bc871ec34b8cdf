# Where the Windows build's programs find the DLLs they import, found from what was linked:
# TORVO_RUNTIME_DIRS (Qt's, log4cpp's, the MinGW runtime's folders) and TORVO_QT_PLUGIN_DIR.
# The deploy folder collects from them (packaging/windows.cmake) and the tests load from them
# under Wine (tests/support/wine-run.sh).
get_target_property(qt_core_dll Qt5::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin_dir "${qt_core_dll}" DIRECTORY)
get_filename_component(TORVO_QT_PLUGIN_DIR "${qt_bin_dir}/../plugins" ABSOLUTE)
set(TORVO_RUNTIME_DIRS ${qt_bin_dir})
foreach(dir IN LISTS LOG4CPP_LIBRARY_DIRS)
    list(APPEND TORVO_RUNTIME_DIRS ${dir})
    if(EXISTS ${dir}/../bin)
        get_filename_component(bin "${dir}/../bin" ABSOLUTE)
        list(APPEND TORVO_RUNTIME_DIRS ${bin})
    endif()
endforeach()
# libgcc's DLL is named after the exception model (seh on x86_64, dw2 on i686); it lies beside
# libstdc++'s.
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${found}")
        get_filename_component(dir "${found}" DIRECTORY)
        list(APPEND TORVO_RUNTIME_DIRS ${dir})
    endif()
endforeach()
list(REMOVE_DUPLICATES TORVO_RUNTIME_DIRS)
