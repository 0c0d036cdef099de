# Fails when a file of the line library includes a header of the screen library
# above it (a header under UI_ROOT, or a generated form header ui_*.h): the line
# must build and run without any GUI library. Lists every such include.
# Run as: cmake -DLINE_ROOT=<dir> -DLINE_FOLDERS=<a,b,...> -DUI_ROOT=<dir> [-DSTAMP=<file>]
#         -P this file
string(REPLACE "," ";" folders "${LINE_FOLDERS}")
file(RELATIVE_PATH ui_folder ${LINE_ROOT} ${UI_ROOT})
set(violations "")
foreach(folder ${folders})
    file(GLOB_RECURSE sources ${LINE_ROOT}/${folder}/*.h ${LINE_ROOT}/${folder}/*.cpp)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
            get_filename_component(name ${header} NAME)
            if(EXISTS ${UI_ROOT}/${header} OR header MATCHES "^${ui_folder}/"
               OR name MATCHES "^ui_.*\\.h$")
                file(RELATIVE_PATH shown ${LINE_ROOT} ${source})
                list(APPEND violations "${shown} includes ${header}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(violations)
    list(JOIN violations "\n  " listed)
    message(FATAL_ERROR "The line library must not include the screen's headers:\n  ${listed}")
endif()
if(STAMP)
    file(TOUCH ${STAMP})
endif()
