# Installs the program with its desktop entry, icon and AppStream metadata, and the
# tools without a display, and makes `cpack` build two Debian packages from them:
# nivelon_<version>_amd64.deb (the window) and nivelon-cli_<version>_amd64.deb
# (nivelon-cli with its manual page, and nivelon-sim; no GUI library), each with
# its dependencies read from its binaries by dpkg-shlibdeps. The window's package depends on the other,
# so installing the window still brings the simulator.

include(GNUInstallDirs)

set(NIVELON_APP_ID com.korinta.Nivelon)
set(NIVELON_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS nivelon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT window)
install(TARGETS nivelon-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT headless)
if(TARGET nivelon-sim)
    install(TARGETS nivelon-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT headless)
endif()
install(FILES ${NIVELON_CLI_MANUAL} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT headless)
install(FILES ${NIVELON_PACKAGING_DIR}/${NIVELON_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT window)
# The same picture the program shows as its window icon.
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/app/resources/icons/nivelon.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
    RENAME ${NIVELON_APP_ID}.png COMPONENT window)
configure_file(${NIVELON_PACKAGING_DIR}/${NIVELON_APP_ID}.metainfo.xml
    ${CMAKE_CURRENT_BINARY_DIR}/${NIVELON_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${NIVELON_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT window)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nivelon)
set(CPACK_PACKAGE_VENDOR Korinta)
set(CPACK_PACKAGE_CONTACT "Korinta <nivelon@korinta.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fuel-level sensor set-up over a serial line")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME nivelon)
set(CPACK_DEBIAN_WINDOW_DESCRIPTION
    "Finds, polls and configures Omnicomm, ModBus RTU and TBus fuel-level sensors\
 on one serial port, with live values and a time plot per sensor. The command-line\
 tool and the simulated sensor line come with nivelon-cli.")
# Hot-plugged adapters are announced by the udev daemon; without it the program
# still lists the ports it finds at start.
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS udev)

set(CPACK_DEBIAN_HEADLESS_PACKAGE_NAME nivelon-cli)
set(CPACK_DEBIAN_HEADLESS_DESCRIPTION
    "nivelon-cli lists ports, identifies, finds, polls, configures and calibrates\
 Omnicomm, ModBus RTU and TBus fuel-level sensors from a shell, without a display.\
 nivelon-sim plays a line of simulated sensors on a pseudo-terminal. Neither needs\
 a GUI library.")

include(CPack)
cpack_add_component(headless)
cpack_add_component(window DEPENDS headless)
