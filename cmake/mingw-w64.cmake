# Cross-compiles for Windows with Debian's mingw-w64 (POSIX thread model, for std::thread).
# TORVO_WINDOWS_ARCH chooses 64-bit (x86_64, the default) or 32-bit (i686) Windows; everything
# that differs between the two follows from it. TORVO_WINDOWS_PREFIXES lists the folders of the
# libraries built for Windows (Qt, log4cpp, the test server's HTTP library;
# scripts/windows-deps): CMake and pkg-config look there only.
# Tests run under Wine, through CMake's cross-compiling emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(TORVO_WINDOWS_ARCH x86_64 CACHE STRING "The Windows build's architecture: x86_64 or i686")
set_property(CACHE TORVO_WINDOWS_ARCH PROPERTY STRINGS x86_64 i686)
if(NOT TORVO_WINDOWS_ARCH MATCHES "^(x86_64|i686)$")
    message(FATAL_ERROR "TORVO_WINDOWS_ARCH is x86_64 or i686, not ${TORVO_WINDOWS_ARCH}")
endif()
set(CMAKE_SYSTEM_PROCESSOR ${TORVO_WINDOWS_ARCH})
set(TORVO_MINGW_TRIPLET ${TORVO_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${TORVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TORVO_MINGW_TRIPLET}-windres)
# install(RUNTIME_DEPENDENCY_SET) reads the DLLs a program imports with the cross objdump.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${TORVO_MINGW_TRIPLET}-objdump)

set(TORVO_WINDOWS_PREFIXES "" CACHE STRING "Folders of the libraries built for Windows")
# Passed on to try_compile projects, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TORVO_WINDOWS_ARCH TORVO_WINDOWS_PREFIXES)
set(CMAKE_FIND_ROOT_PATH /usr/${TORVO_MINGW_TRIPLET} ${TORVO_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Never the machine's own .pc files: only those built for Windows.
set(pkgconfig_dirs "")
foreach(prefix IN LISTS TORVO_WINDOWS_PREFIXES)
    list(APPEND pkgconfig_dirs ${prefix}/lib/pkgconfig)
endforeach()
string(REPLACE ";" ":" pkgconfig_dirs "${pkgconfig_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${pkgconfig_dirs}")
set(ENV{PKG_CONFIG_PATH} "")

find_program(TORVO_WINE NAMES wine)
if(TORVO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TORVO_WINE})
endif()
