# Fails when a file of the line library reaches the screen library above it: an
# include of a header under UI_ROOT or of a generated form header ui_*.h, in
# quotes or angle brackets; an include of a GUI module of Qt or of Qwt, which
# compiles on the line's include path as <QtWidgets/QWidget>; or a forward
# declaration of a class the screen defines. The line must build and run without
# any GUI library. Every file under each line folder is read, subfolders too.
# Lists every such place.
# Run as: cmake -DLINE_ROOT=<dir> -DLINE_FOLDERS=<a,b,...> -DUI_ROOT=<dir> [-DSTAMP=<file>]
#         -P this file
cmake_policy(SET CMP0057 NEW)
string(REPLACE "," ";" folders "${LINE_FOLDERS}")
file(RELATIVE_PATH ui_folder ${LINE_ROOT} ${UI_ROOT})
set(gui_modules "^(QtWidgets|QtGui|QtPrintSupport|QtSvg|QtOpenGL|QtQuick|QtQml|qwt)[/_]")

# The classes the screen defines: a class or struct head not ending in ";".
file(GLOB_RECURSE ui_headers ${UI_ROOT}/*.h)
set(screen_classes "")
foreach(header ${ui_headers})
    file(STRINGS ${header} heads REGEX "^[ \t]*(class|struct)[ \t]+[A-Za-z_][A-Za-z0-9_]*[^;]*$")
    foreach(head ${heads})
        string(REGEX REPLACE "^[ \t]*(class|struct)[ \t]+([A-Za-z_][A-Za-z0-9_]*).*" "\\2" name
            "${head}")
        list(APPEND screen_classes ${name})
    endforeach()
endforeach()

set(violations "")
foreach(folder ${folders})
    file(GLOB_RECURSE sources ${LINE_ROOT}/${folder}/*.h ${LINE_ROOT}/${folder}/*.cpp)
    foreach(source ${sources})
        file(RELATIVE_PATH shown ${LINE_ROOT} ${source})
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*" "\\1" header
                "${line}")
            get_filename_component(name ${header} NAME)
            if(EXISTS ${UI_ROOT}/${header} OR header MATCHES "^${ui_folder}/"
               OR name MATCHES "^ui_.*\\.h$" OR header MATCHES "${gui_modules}")
                list(APPEND violations "${shown} includes ${header}")
            endif()
        endforeach()
        file(STRINGS ${source} declarations
            REGEX "^[ \t]*(class|struct)[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*;")
        foreach(line ${declarations})
            string(REGEX REPLACE "^[ \t]*(class|struct)[ \t]+([A-Za-z_][A-Za-z0-9_]*).*" "\\2"
                name "${line}")
            if(name IN_LIST screen_classes)
                list(APPEND violations "${shown} declares the screen's class ${name}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(violations)
    list(JOIN violations "\n  " listed)
    message(FATAL_ERROR "The line library must not reach into the screen:\n  ${listed}")
endif()
if(STAMP)
    file(TOUCH ${STAMP})
endif()
