# Installs the program, the simulator, the desktop entry, the icon and the AppStream
# metadata, and makes `cpack` build nivelon_<version>_amd64.deb from them, with its
# dependencies read from the binaries by dpkg-shlibdeps.

include(GNUInstallDirs)

set(NIVELON_APP_ID com.korinta.Nivelon)
set(NIVELON_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS nivelon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET nivelon-sim)
    install(TARGETS nivelon-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${NIVELON_PACKAGING_DIR}/${NIVELON_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The same picture the program shows as its window icon.
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/app/resources/icons/nivelon.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
    RENAME ${NIVELON_APP_ID}.png)
configure_file(${NIVELON_PACKAGING_DIR}/${NIVELON_APP_ID}.metainfo.xml
    ${CMAKE_CURRENT_BINARY_DIR}/${NIVELON_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${NIVELON_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nivelon)
set(CPACK_PACKAGE_VENDOR Korinta)
set(CPACK_PACKAGE_CONTACT "Korinta <nivelon@korinta.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fuel-level sensor set-up over a serial line")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds, polls and configures Omnicomm, ModBus RTU and TBus fuel-level sensors\
 on one serial port, with live values and a time plot per sensor. Includes\
 nivelon-sim, a simulated sensor line for use without hardware.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Hot-plugged adapters are announced by the udev daemon; without it the program
# still lists the ports it finds at start.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS udev)
include(CPack)
