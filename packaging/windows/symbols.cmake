# Included by the Windows install steps (packaging/windows.cmake): a stripped install keeps the
# debug information it strips, in TORVO_SYMBOLS_DIR under the file's own relative path with
# ".debug" added, and the installed file names it (.gnu_debuglink: its name and checksum), by
# which LLDB and GDB find it beside the file. after-package.cmake archives the folder.

# torvo_keep_symbols(ORIGINAL INSTALLED RELATIVE): ORIGINAL is the file as built, INSTALLED its
# stripped copy, RELATIVE its path in the install folder. Files without debug information are left.
function(torvo_keep_symbols original installed relative)
    if(NOT CMAKE_INSTALL_DO_STRIP)
        return()
    endif()
    execute_process(COMMAND "${TORVO_OBJDUMP}" -h "${original}" OUTPUT_VARIABLE sections
                    COMMAND_ERROR_IS_FATAL ANY)
    if(NOT sections MATCHES "\\.debug_info")
        return()
    endif()
    set(debug "${TORVO_SYMBOLS_DIR}/${relative}.debug")
    get_filename_component(folder "${debug}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    execute_process(COMMAND "${TORVO_OBJCOPY}" --only-keep-debug "${original}" "${debug}"
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND "${TORVO_OBJCOPY}" "--add-gnu-debuglink=${debug}" "${installed}"
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()
