# The catalogues are compiled into the program under ":/tr": ours, built from their
# .ts files (Russian, and English for the few source texts that are Russian), and
# the toolkit's own qt_ru.qm with every catalogue it loads (a translator refuses
# qt_ru.qm when one of those is missing).

set(NIVELON_QT_CATALOGUES qt_ru qtbase_ru qtscript_ru qtmultimedia_ru qtxmlpatterns_ru)

function(nivelon_qt_translations_dir out)
    get_target_property(qmake Qt5::qmake IMPORTED_LOCATION)
    execute_process(COMMAND ${qmake} -query QT_INSTALL_TRANSLATIONS
        OUTPUT_VARIABLE dir OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(${out} ${dir} PARENT_SCOPE)
endfunction()

# Adds the catalogues and the resource file that holds them to target; the
# catalogues' texts (the .ts files after sources_dir) come from the sources under
# sources_dir.
function(nivelon_add_translations target sources_dir)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/tr)
    nivelon_qt_translations_dir(qt_dir)
    set(entries "")
    foreach(catalogue ${NIVELON_QT_CATALOGUES})
        if(NOT EXISTS ${qt_dir}/${catalogue}.qm)
            nivelon_missing("Qt's Russian catalogue ${catalogue}.qm" qttranslations5-l10n)
        endif()
        configure_file(${qt_dir}/${catalogue}.qm ${out}/${catalogue}.qm COPYONLY)
        string(APPEND entries "        <file>${catalogue}.qm</file>\n")
    endforeach()

    set(ts_files ${ARGN})
    foreach(ts_file ${ts_files})
        get_filename_component(name ${ts_file} NAME_WE)
        string(APPEND entries "        <file>${name}.qm</file>\n")
    endforeach()
    set_source_files_properties(${ts_files} PROPERTIES OUTPUT_LOCATION ${out})
    qt5_add_translation(app_qm ${ts_files})

    file(WRITE ${out}/translations.qrc.in
        "<RCC>\n    <qresource prefix=\"/tr\">\n${entries}    </qresource>\n</RCC>\n")
    configure_file(${out}/translations.qrc.in ${out}/translations.qrc COPYONLY)
    qt5_add_resources(rcc_sources ${out}/translations.qrc)
    set_source_files_properties(${rcc_sources} PROPERTIES SKIP_AUTOGEN ON)
    target_sources(${target} PRIVATE ${app_qm} ${rcc_sources})

    # Brings the catalogues up to date with the sources; the translator then
    # fills in what they mark unfinished (in English only the Russian texts).
    add_custom_target(nivelon_lupdate
        COMMAND Qt5::lupdate -locations none -no-obsolete ${sources_dir}
            -ts ${ts_files}
        VERBATIM)
endfunction()
