# Fails when the Russian catalogue lags behind the sources: lupdate runs over the
# sources into a copy of it, and any entry it then marks unfinished (a new or
# untranslated text) or vanished (a text the sources no longer have) is named.
# Run as: cmake -DLUPDATE=... -DSOURCES=... -DCATALOGUE=... -DCOPY=... -P this file
configure_file(${CATALOGUE} ${COPY} COPYONLY)
execute_process(COMMAND ${LUPDATE} -silent -locations none ${SOURCES} -ts ${COPY}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed with status ${status}")
endif()
file(READ ${COPY} catalogue)
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<[a-z]*comment>[^<]*</[a-z]*comment>[^<]*)*<translation type=\"(unfinished|vanished|obsolete)\""
    stale "${catalogue}")
list(LENGTH stale count)
if(count GREATER 0)
    string(REPLACE ";" "\n" stale "${stale}")
    message(FATAL_ERROR "${count} entries of ${CATALOGUE} are not up to date; run "
        "'cmake --build build --target nivelon_lupdate' and translate them:\n${stale}")
endif()
