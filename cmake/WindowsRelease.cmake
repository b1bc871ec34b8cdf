# The MinGW build for Windows as released: its debug information is kept (split off into the
# symbols archive by a stripped install, packaging/windows/symbols.cmake), with paths that do not
# depend on where the tree, the build folder and the libraries lie (the same commit gives the same
# bytes on every machine), and a build id, by which a debugger matches a crash dump's modules to
# their files. SOURCE_DATE_EPOCH (scripts/windows-build) sets the time the linker and strip stamp.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=/torvo/src)
foreach(prefix IN LISTS TORVO_WINDOWS_PREFIXES)
    get_filename_component(name "${prefix}" NAME)
    add_compile_options(-ffile-prefix-map=${prefix}=/torvo/deps/${name})
endforeach()
# Last, as the build folder may lie inside the tree: the last matching map is the one used.
add_compile_options(-ffile-prefix-map=${PROJECT_BINARY_DIR}=/torvo/build)
add_link_options(-Wl,--build-id)
# rcc's first format stores no file times: later ones store SOURCE_DATE_EPOCH, which a build
# folder's resources keep from the commit they were last generated at, so an updated build folder
# and a clean one gave different bytes for one commit. The client never asks a resource's time.
set(CMAKE_AUTORCC_OPTIONS --format-version 1)
# moc's files include each header by its path from the tree ("ui/MainWindow.h"), not by a relative
# path from the build folder, which differs with where that folder lies. moc learns the tree from
# each target's own include folders, which the libraries declared in subfolders lack.
set(CMAKE_AUTOMOC_PATH_PREFIX ON)
include_directories(${PROJECT_SOURCE_DIR})
# DWARF 4: LLDB 14 (Debian 12's), which reads Windows' crash dumps, loses the file names and the
# address ranges of GCC 12's default DWARF 5.
add_compile_options(-gdwarf-4)
