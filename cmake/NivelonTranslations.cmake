# The Russian catalogues are compiled into the program under ":/tr": ours, built
# from its .ts file, and the toolkit's own qt_ru.qm with every catalogue it loads
# (a translator refuses qt_ru.qm when one of those is missing).

set(NIVELON_QT_CATALOGUES qt_ru qtbase_ru qtscript_ru qtmultimedia_ru qtxmlpatterns_ru)

function(nivelon_qt_translations_dir out)
    get_target_property(qmake Qt5::qmake IMPORTED_LOCATION)
    execute_process(COMMAND ${qmake} -query QT_INSTALL_TRANSLATIONS
        OUTPUT_VARIABLE dir OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(${out} ${dir} PARENT_SCOPE)
endfunction()

# Adds the catalogues and the resource file that holds them to target; the
# catalogue's texts come from the sources under sources_dir.
function(nivelon_add_translations target ts_file sources_dir)
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

    get_filename_component(name ${ts_file} NAME_WE)
    set_source_files_properties(${ts_file} PROPERTIES OUTPUT_LOCATION ${out})
    qt5_add_translation(app_qm ${ts_file})
    string(APPEND entries "        <file>${name}.qm</file>\n")

    file(WRITE ${out}/translations.qrc.in
        "<RCC>\n    <qresource prefix=\"/tr\">\n${entries}    </qresource>\n</RCC>\n")
    configure_file(${out}/translations.qrc.in ${out}/translations.qrc COPYONLY)
    qt5_add_resources(rcc_sources ${out}/translations.qrc)
    set_source_files_properties(${rcc_sources} PROPERTIES SKIP_AUTOGEN ON)
    target_sources(${target} PRIVATE ${app_qm} ${rcc_sources})

    # Brings the catalogue up to date with the sources; the translator then
    # fills in what it marks unfinished.
    add_custom_target(nivelon_lupdate
        COMMAND Qt5::lupdate -locations none -no-obsolete ${sources_dir}
            -ts ${ts_file}
        VERBATIM)
endfunction()
