# Run by CPack after makensis (CPACK_POST_BUILD_SCRIPTS): the symbols archive beside the installer,
# <package>-symbols.tar.xz. It holds the payload's programs and libraries exactly as installed
# (stripped, signed if they were) and the debug information split off them (symbols.cmake), each
# beside its file: what support needs to read a crash dump (docs/windows.md). Made reproducibly:
# names sorted, no owners, the times of SOURCE_DATE_EPOCH.
set(name "${CPACK_PACKAGE_FILE_NAME}-symbols")
set(work "${CPACK_TOPLEVEL_DIRECTORY}/${name}")
file(REMOVE_RECURSE "${work}")
file(GLOB_RECURSE binaries LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
     "${CPACK_TEMPORARY_DIRECTORY}/*.exe" "${CPACK_TEMPORARY_DIRECTORY}/*.dll")
foreach(file IN LISTS binaries)
    get_filename_component(folder "${work}/${file}" DIRECTORY)
    file(COPY "${CPACK_TEMPORARY_DIRECTORY}/${file}" DESTINATION "${folder}")
endforeach()
file(COPY "${CPACK_TORVO_SYMBOLS_DIR}/" DESTINATION "${work}")

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch)
    set(epoch 0)
endif()
execute_process(
    COMMAND tar --sort=name --format=gnu "--mtime=@${epoch}" --owner=0 --group=0 --numeric-owner
            "--use-compress-program=xz -T1" -cf "${CPACK_PACKAGE_DIRECTORY}/${name}.tar.xz" "${name}"
    WORKING_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${work}")
