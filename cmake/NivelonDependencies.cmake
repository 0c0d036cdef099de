# Finds every library the build needs. When one is missing, configure stops with
# one line naming it, the Debian package that provides it and the script that
# installs it, instead of pkg-config's chain of requirements.

set(NIVELON_INSTALL_HINT "run ./scripts/install-deps.sh (it installs every missing package)")

function(nivelon_missing what package)
    message(FATAL_ERROR "Missing ${what} (Debian package ${package}): ${NIVELON_INSTALL_HINT}")
endfunction()

find_package(PkgConfig QUIET)
if(NOT PKG_CONFIG_FOUND)
    nivelon_missing("pkg-config" pkg-config)
endif()

# Qt modules: CMake component, Debian package.
set(NIVELON_QT_COMPONENTS
    Core qtbase5-dev Network qtbase5-dev Gui qtbase5-dev Widgets qtbase5-dev Test qtbase5-dev
    SerialPort libqt5serialport5-dev LinguistTools qttools5-dev)
while(NIVELON_QT_COMPONENTS)
    list(POP_FRONT NIVELON_QT_COMPONENTS component package)
    find_package(Qt5${component} 5.15 QUIET)
    if(NOT Qt5${component}_FOUND)
        nivelon_missing("Qt5 ${component}" ${package})
    endif()
endwhile()

# pkg-config modules: Qwt's own file requires the Qt modules before it, whose
# development packages Debian's Qwt package does not pull in.
set(NIVELON_PKG_MODULES
    Qt5Concurrent qtbase5-dev Qt5PrintSupport qtbase5-dev Qt5Svg libqt5svg5-dev
    Qt5OpenGL libqt5opengl5-dev Qt5Qwt6 libqwt-qt5-dev libudev libudev-dev
    libmosquitto libmosquitto-dev)
while(NIVELON_PKG_MODULES)
    list(POP_FRONT NIVELON_PKG_MODULES module package)
    pkg_check_modules(NIVELON_PROBE_${module} QUIET ${module})
    if(NOT NIVELON_PROBE_${module}_FOUND)
        nivelon_missing("${module}" ${package})
    endif()
endwhile()

pkg_check_modules(QWT REQUIRED IMPORTED_TARGET Qt5Qwt6)
pkg_check_modules(UDEV REQUIRED IMPORTED_TARGET libudev)
pkg_check_modules(MOSQUITTO REQUIRED IMPORTED_TARGET libmosquitto)
