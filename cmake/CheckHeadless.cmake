# Fails when one of BINARIES (comma-separated) links a GUI library: the command-line
# tool and the simulator must run on a machine without a display or its libraries.
# Prints what each binary links.
# Run as: cmake -DBINARIES=<a,b,...> -P this file
string(REPLACE "," ";" binaries "${BINARIES}")
foreach(binary ${binaries})
    execute_process(COMMAND ldd ${binary} OUTPUT_VARIABLE linked RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "ldd ${binary} failed with status ${status}")
    endif()
    message("${binary}:\n${linked}")
    string(REGEX MATCHALL "lib(Qt5Widgets|Qt5Gui|Qt5OpenGL|qwt)[^ \t\n]*" gui "${linked}")
    if(gui)
        message(FATAL_ERROR "${binary} links GUI libraries: ${gui}")
    endif()
endforeach()
