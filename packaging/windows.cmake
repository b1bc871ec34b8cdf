# Windows: `cmake --install` makes a deploy folder (the client, every DLL it and its Qt plugins
# import, the plugins it loads and Qt's Russian translation), and CPack's NSIS generator turns
# it into torvo-gui-<version>-win64.exe.
install(TARGETS torvo-gui RUNTIME DESTINATION .)

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
    find_path(TORVO_WINDOWS_SYSTEM_DIR kernel32.dll PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
              NO_CMAKE_FIND_ROOT_PATH DOC "A folder with Windows' own DLLs (Wine's)")
    install(CODE "
        set(TORVO_PROGRAMS torvo-gui.exe ${plugin_files})
        set(TORVO_RUNTIME_DIRS \"${TORVO_RUNTIME_DIRS}\")
        set(TORVO_WINDOWS_SYSTEM_DIR \"${TORVO_WINDOWS_SYSTEM_DIR}\")
        set(TORVO_NAMES_DIR \"${CMAKE_CURRENT_BINARY_DIR}/dll-names\")
        set(TORVO_STRIP \"${CMAKE_STRIP}\")
        include(\"${CMAKE_CURRENT_SOURCE_DIR}/windows-runtime.cmake\")")
endif()

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME torvo-gui)
set(CPACK_PACKAGE_VENDOR zel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME torvo-gui-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Torvo: the operator's window onto the local Torvo service")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Torvo)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Torvo)
set(CPACK_PACKAGE_EXECUTABLES torvo-gui Torvo)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME Torvo)
set(CPACK_NSIS_DISPLAY_NAME Torvo)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME torvo-gui.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/images/gui_velkor.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/images/gui_velkor.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer: it writes the 64-bit registry and Program Files, and runs where only
# 64-bit Windows programs do.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# Every user's session starts the client: the machine's Run key. The uninstaller leaves the
# configuration and logs under the machine-wide data folder (zel) in place.
set(run_key "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
    "WriteRegStr HKLM \\\"${run_key}\\\" \\\"Torvo\\\" '\\\"$INSTDIR\\\\torvo-gui.exe\\\"'")
# A running client holds its files, and the session starts one: the installer and the
# uninstaller end every user's client first.
set(end_clients "nsExec::Exec '\\\"$SYSDIR\\\\taskkill.exe\\\" /F /IM torvo-gui.exe'\nPop $0")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "${end_clients}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "${end_clients}\nDeleteRegValue HKLM \\\"${run_key}\\\" \\\"Torvo\\\"")
include(CPack)
