# Windows: `cmake --install` makes a deploy folder (the client, every DLL it and its Qt plugins
# import, the plugins it loads and Qt's Russian translation), keeping the debug information that a
# stripped install takes off in symbols/ (windows/symbols.cmake). CPack's NSIS generator turns it
# into torvo-gui-<version>-win64.exe (-win32.exe for 32-bit Windows) with the project's own
# template (windows/NSIS.template.in), signed when TORVO_SIGN_COMMAND is set
# (windows/before-package.cmake), and puts the symbols archive beside it
# (windows/after-package.cmake).
# 64 or 32: the installer's name, its folder and registry view follow from the toolchain's choice.
math(EXPR TORVO_WINDOWS_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
set(TORVO_SYMBOLS_DIR ${PROJECT_BINARY_DIR}/symbols)
set(symbols_setup "
    set(TORVO_OBJCOPY \"${CMAKE_OBJCOPY}\")
    set(TORVO_OBJDUMP \"${CMAKE_OBJDUMP}\")
    set(TORVO_SYMBOLS_DIR \"${TORVO_SYMBOLS_DIR}\")
    include(\"${CMAKE_CURRENT_SOURCE_DIR}/windows/symbols.cmake\")")
install(CODE "file(REMOVE_RECURSE \"${TORVO_SYMBOLS_DIR}\")")
install(TARGETS torvo-gui RUNTIME DESTINATION .)
install(CODE "${symbols_setup}
    torvo_keep_symbols(\"$<TARGET_FILE:torvo-gui>\"
                       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:torvo-gui>\"
                       \"$<TARGET_FILE_NAME:torvo-gui>\")")

# Plugins that nothing links but the client loads: the platform, the native style, the .ico
# reader for its icons and the SVG ones for the panels' bell.
set(qt_plugins
    Qt5::QWindowsIntegrationPlugin platforms
    Qt5::QWindowsVistaStylePlugin styles
    Qt5::QICOPlugin imageformats
    Qt5::QSvgPlugin imageformats
    Qt5::QSvgIconPlugin iconengines)
set(plugin_files "")
while(qt_plugins)
    list(POP_FRONT qt_plugins plugin folder)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
    list(APPEND plugin_files "${folder}/$<TARGET_FILE_NAME:${plugin}>")
endwhile()

# Qt's own texts (buttons of its dialogs) in Russian; the same file on every platform.
find_file(TORVO_QTBASE_RU qtbase_ru.qm PATHS /usr/share/qt5/translations NO_CMAKE_FIND_ROOT_PATH
          DOC "Qt's Russian translation (Debian: qttranslations5-l10n)")
if(TORVO_QTBASE_RU)
    install(FILES ${TORVO_QTBASE_RU} DESTINATION .)
else()
    message(WARNING "qtbase_ru.qm not found: the deploy folder goes without Qt's Russian texts")
endif()

# Cross-built, the DLLs are collected from where they were built (windeployqt does it natively).
# What Windows itself provides is what Wine provides: a DLL found there is not deployed.
if(CMAKE_CROSSCOMPILING)
    # Wine names 32-bit x86 i386.
    string(REPLACE i686 i386 wine_arch "${CMAKE_SYSTEM_PROCESSOR}")
    file(GLOB wine_dirs /usr/lib/*-linux-gnu/wine/${wine_arch}-windows)
    find_path(TORVO_WINDOWS_SYSTEM_DIR kernel32.dll PATHS ${wine_dirs}
              NO_CMAKE_FIND_ROOT_PATH DOC "A folder with Windows' own DLLs (Wine's)")
    install(CODE "${symbols_setup}
        set(TORVO_PROGRAMS torvo-gui.exe ${plugin_files})
        set(TORVO_RUNTIME_DIRS \"${TORVO_RUNTIME_DIRS}\")
        set(TORVO_WINDOWS_SYSTEM_DIR \"${TORVO_WINDOWS_SYSTEM_DIR}\")
        set(TORVO_NAMES_DIR \"${CMAKE_CURRENT_BINARY_DIR}/dll-names\")
        set(TORVO_STRIP \"${CMAKE_STRIP}\")
        include(\"${CMAKE_CURRENT_SOURCE_DIR}/windows-runtime.cmake\")")
endif()

# What the installer and the uninstaller carry to end and start the clients: not installed.
add_executable(torvo-clients windows/torvo-clients.cpp)
target_include_directories(torvo-clients PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(torvo-clients PRIVATE wtsapi32 userenv ole32 oleaut32 uuid)
set_target_properties(torvo-clients PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
if(MINGW)
    # Run alone from the installer's temporary folder: no DLL of the MinGW runtime beside it.
    target_compile_options(torvo-clients PRIVATE -municode)
    target_link_options(torvo-clients PRIVATE -municode -static -s)
endif()

set(CPACK_GENERATOR NSIS)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/windows) # NSIS.template.in
set(CPACK_PACKAGE_NAME torvo-gui)
set(CPACK_PACKAGE_VENDOR zel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME torvo-gui-${PROJECT_VERSION}-win${TORVO_WINDOWS_BITS})
set(CPACK_TORVO_BITS ${TORVO_WINDOWS_BITS})
# Named by the 64-bit installer when it refuses 32-bit Windows.
set(CPACK_TORVO_WIN32_FILE_NAME torvo-gui-${PROJECT_VERSION}-win32.exe)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Torvo: the operator's window onto the local Torvo service")
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/images/gui_velkor.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/images/gui_velkor.ico)
string(REPLACE "," "." CPACK_TORVO_FILE_VERSION "${TORVO_VERSION_NUMBERS}")
set(CPACK_TORVO_CLIENTS_TOOL ${CMAKE_CURRENT_BINARY_DIR}/torvo-clients.exe)
set(CPACK_TORVO_STRIP ${CMAKE_STRIP})
set(CPACK_TORVO_SYMBOLS_DIR ${TORVO_SYMBOLS_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/windows/before-package.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/windows/after-package.cmake)
include(CPack)
