# The Debian package, built and tried in a clean place: cpack makes the .deb in a temporary
# folder; its control fields name the libraries and fonts the program needs; dpkg-deb unpacks it
# into a temporary root, from which the program answers --help and creates an archive with every
# comune. Everything is removed at the end. Skipped, saying why, without dpkg-deb, dpkg-shlibdeps
# (dpkg-dev), file or sqlite3. Run with
#   cmake -DCOSTRUZIONE=<build folder> -DCPACK=<cpack> -DID=<desktop id> -DVERSIONE=<version>
#         -DCARTELLA=<temporary folder> -P tst_pacchetto.cmake

include(${CMAKE_CURRENT_LIST_DIR}/support/Installazione.cmake)

foreach(strumento dpkg-deb dpkg-shlibdeps file sqlite3)
    find_program(percorso_${strumento} ${strumento})
    if(NOT percorso_${strumento})
        message("SALTATA: manca ${strumento} (pacchetti dpkg, dpkg-dev, file, sqlite3): il "
                "pacchetto Debian non è stato costruito né provato.")
        return()
    endif()
endforeach()

file(REMOVE_RECURSE "${CARTELLA}")
esegui(NOME "cpack" COMANDO ${CPACK} -G DEB --config "${COSTRUZIONE}/CPackConfig.cmake"
       -B "${CARTELLA}/cpack")
file(GLOB pacchetti "${CARTELLA}/cpack/*.deb")
list(LENGTH pacchetti quanti)
if(NOT quanti EQUAL 1)
    errore("cpack ha prodotto ${quanti} pacchetti .deb invece di uno")
    finisci()
endif()

# What the package says of itself: name, version, and the packages it needs to run.
esegui(NOME "dpkg-deb -f" COMANDO ${percorso_dpkg-deb} -f "${pacchetti}" Package Version Depends
       USCITA campi)
foreach(atteso "Package: kelvaro" "Version: ${VERSIONE}")
    string(FIND "${campi}" "${atteso}\n" dove)
    if(dove LESS 0)
        errore("campi del pacchetto: manca «${atteso}»:\n${campi}")
    endif()
endforeach()
string(REGEX MATCH "Depends: [^\n]*" dipendenze "${campi}")
foreach(necessario libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libsqlite3-0
        fonts-dejavu-core fonts-liberation)
    if(NOT dipendenze MATCHES "(: |, )${necessario}( |,|$)")
        errore("il pacchetto non dipende da ${necessario}: ${dipendenze}")
    endif()
endforeach()

# Unpacked into a clean root, the program runs from there.
set(radice "${CARTELLA}/radice")
set(casa "${CARTELLA}/casa")
file(MAKE_DIRECTORY "${casa}")
esegui(NOME "dpkg-deb -x" COMANDO ${percorso_dpkg-deb} -x "${pacchetti}" "${radice}")
set(programma ${CMAKE_COMMAND} -E env --unset=XDG_CONFIG_HOME --unset=XDG_DATA_HOME
    "HOME=${casa}" "${radice}/usr/bin/kelvaro")
esegui(NOME "kelvaro --help" COMANDO ${programma} --help USCITA aiuto)
if(NOT aiuto MATCHES "--crea-archivio")
    errore("kelvaro --help non elenca --crea-archivio:\n${aiuto}")
endif()
set(archivio "${CARTELLA}/comuni.db")
esegui(NOME "kelvaro --crea-archivio" COMANDO ${programma} --crea-archivio "${archivio}")
if(NOT EXISTS "${archivio}")
    errore("kelvaro --crea-archivio non ha creato l'archivio")
else()
    esegui(NOME "sqlite3" COMANDO ${percorso_sqlite3} "${archivio}" "SELECT count(*) FROM Comuni"
           USCITA righe)
    if(NOT righe STREQUAL "7904\n")
        errore("l'archivio creato dal pacchetto ha ${righe} comuni invece di 7904")
    endif()
endif()
foreach(parte usr/share/applications/${ID}.desktop usr/share/icons/hicolor/16x16/apps/${ID}.png
        usr/share/metainfo/${ID}.metainfo.xml)
    if(NOT EXISTS "${radice}/${parte}")
        errore("il pacchetto non contiene /${parte}")
    endif()
endforeach()
finisci()
