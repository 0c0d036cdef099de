# Fails when a catalogue lags behind the sources: lupdate runs over the sources into
# a copy of each, and an entry it then marks vanished (a text the sources no longer
# have) is named, as is one it marks unfinished that the catalogue must translate:
# in Russian every text; in English, whose texts are the sources' own, the texts
# the sources have in Russian and the misspelt "inteface".
# Run as: cmake -DLUPDATE=... -DSOURCES=... -DCATALOGUE_DIR=... -DCOPY_DIR=... -P this file

# Byte-wise, so each letter is its own alternative.
set(cyrillic "а|б|в|г|д|е|ё|ж|з|и|й|к|л|м|н|о|п|р|с|т|у|ф|х|ц|ч|ш|щ|ъ|ы|ь|э|ю|я|А|Б|В|Г|Д|Е|Ё|Ж|З|И|Й|К|Л|М|Н|О|П|Р|С|Т|У|Ф|Х|Ц|Ч|Ш|Щ|Ъ|Ы|Ь|Э|Ю|Я")

function(check_catalogue name must_translate)
    set(copy ${COPY_DIR}/${name}-check.ts)
    configure_file(${CATALOGUE_DIR}/${name}.ts ${copy} COPYONLY)
    execute_process(COMMAND ${LUPDATE} -silent -locations none ${SOURCES} -ts ${copy}
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lupdate failed with status ${status}")
    endif()
    file(READ ${copy} catalogue)
    set(comments "[^<]*(<[a-z]*comment>[^<]*</[a-z]*comment>[^<]*)*<translation type=")
    string(REGEX MATCHALL "<source>[^<]*</source>${comments}\"(vanished|obsolete)\""
        stale "${catalogue}")
    string(REGEX MATCHALL
        "<source>[^<]*${must_translate}[^<]*</source>${comments}\"unfinished\""
        untranslated "${catalogue}")
    list(APPEND stale ${untranslated})
    list(LENGTH stale count)
    if(count GREATER 0)
        string(REPLACE ";" "\n" stale "${stale}")
        message(SEND_ERROR "${count} entries of ${name}.ts are not up to date; run "
            "'cmake --build build --target nivelon_lupdate' and translate them:\n${stale}")
    endif()
endfunction()

check_catalogue(nivelon_ru_RU "")
check_catalogue(nivelon_en "(inteface|${cyrillic})")
