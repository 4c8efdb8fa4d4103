# The program installed as a desktop expects it: `cmake --install` into a temporary prefix, then
# the files where a desktop looks for them, the menu entry pointing at the installed program and
# icon, and the installed program preparing a first run by itself. With PARTE=validatori, the
# menu entry and the AppStream file through desktop-file-validate and appstreamcli instead (the
# test is skipped, saying why, when they are not installed). Run with
#   cmake -DCOSTRUZIONE=<build folder> -DID=<desktop id> -DCARTELLA=<temporary folder>
#         [-DPARTE=validatori] -P tst_installazione.cmake
# The temporary folder is removed at the end, also after a failure.

include(${CMAKE_CURRENT_LIST_DIR}/support/Installazione.cmake)

file(REMOVE_RECURSE "${CARTELLA}")
set(usr "${CARTELLA}/usr")
esegui(NOME "cmake --install" COMANDO ${CMAKE_COMMAND} --install "${COSTRUZIONE}" --prefix "${usr}")
get_property(errori GLOBAL PROPERTY ERRORI_INSTALLAZIONE)
if(errori)
    finisci()
endif()

if(PARTE STREQUAL "validatori")
    set(voce "${usr}/share/applications/${ID}.desktop")
    set(metainfo "${usr}/share/metainfo/${ID}.metainfo.xml")
    set(saltati "")
    foreach(strumento desktop-file-validate appstreamcli)
        find_program(percorso_${strumento} ${strumento})
        if(NOT percorso_${strumento})
            list(APPEND saltati ${strumento})
        endif()
    endforeach()
    if(percorso_desktop-file-validate)
        esegui(NOME "desktop-file-validate" COMANDO ${percorso_desktop-file-validate} "${voce}")
    endif()
    if(percorso_appstreamcli)
        esegui(NOME "appstreamcli validate" COMANDO ${percorso_appstreamcli} validate --no-net
               "${metainfo}")
    endif()
    finisci()
    if(saltati)
        list(JOIN saltati ", " saltati)
        message("SALTATA: non installati ${saltati} (pacchetti desktop-file-utils, appstream); "
                "la voce del menu e il file AppStream non sono stati controllati.")
    endif()
    return()
endif()

# Where a desktop looks for each part; the icon in the sizes drawn for it.
set(attesi
    bin/kelvaro
    share/applications/${ID}.desktop
    share/metainfo/${ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${ID}.svg
    share/doc/kelvaro/README.md
    share/doc/kelvaro/SOURCES.md)
foreach(lato 16 24 32 48 64 128 256)
    list(APPEND attesi share/icons/hicolor/${lato}x${lato}/apps/${ID}.png)
endforeach()
foreach(parte IN LISTS attesi)
    if(NOT EXISTS "${usr}/${parte}")
        errore("manca ${parte} nell'installazione")
    endif()
endforeach()
foreach(lato 16 24 32 48 64 128 256)
    controlla_png("${usr}/share/icons/hicolor/${lato}x${lato}/apps/${ID}.png" ${lato})
endforeach()

# The menu entry names an icon and a program that the installation holds.
file(STRINGS "${usr}/share/applications/${ID}.desktop" righe)
set(icona "")
set(programma "")
foreach(riga IN LISTS righe)
    if(riga MATCHES "^Icon=(.*)$")
        set(icona "${CMAKE_MATCH_1}")
    elseif(riga MATCHES "^TryExec=(.*)$")
        set(programma "${CMAKE_MATCH_1}")
    endif()
endforeach()
if(NOT EXISTS "${usr}/share/icons/hicolor/48x48/apps/${icona}.png")
    errore("la voce del menu nomina l'icona «${icona}», che non è installata")
endif()
if(NOT programma OR NOT EXISTS "${usr}/bin/${programma}")
    errore("la voce del menu avvia «${programma}», che non è in bin/")
endif()

# The installed program prepares the first run of a user who has nothing yet.
set(casa "${CARTELLA}/casa")
file(MAKE_DIRECTORY "${casa}")
esegui(NOME "kelvaro --inizializza" COMANDO ${CMAKE_COMMAND} -E env --unset=XDG_CONFIG_HOME
       --unset=XDG_DATA_HOME "HOME=${casa}" "${usr}/bin/kelvaro" --inizializza)
foreach(parte .config/Kelvaro_2007.ini .local/share/kelvaro/kelvaro.db
        .local/share/kelvaro/immagini/semaforo_verde.png)
    if(NOT EXISTS "${casa}/${parte}")
        errore("--inizializza del programma installato non ha creato ~/${parte}")
    endif()
endforeach()
finisci()
