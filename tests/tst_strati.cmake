# Every #include of a project header in src/ must point to the file's own layer or a layer below
# it: core < db < report < cli < gui < main.cpp. A project header is named by its path from src/
# ("core/Global.h"), so the path alone tells the layer. Run with
#   cmake -DSORGENTI=<src folder> -P tst_strati.cmake
# It names every offending line and fails when there is one.

set(strati core db report cli gui)

if(NOT SORGENTI)
    message(FATAL_ERROR "SORGENTI (la cartella src) non indicata")
endif()

file(GLOB_RECURSE file_sorgenti RELATIVE "${SORGENTI}" "${SORGENTI}/*.h" "${SORGENTI}/*.cpp")
list(SORT file_sorgenti)

set(errori 0)
foreach(file_rel IN LISTS file_sorgenti)
    if(file_rel MATCHES "^([^/]+)/")
        list(FIND strati "${CMAKE_MATCH_1}" livello_file)
        if(livello_file LESS 0)
            message(SEND_ERROR "${file_rel}: la cartella non è uno strato (${strati})")
            math(EXPR errori "${errori} + 1")
            continue()
        endif()
    else()
        list(LENGTH strati livello_file) # main.cpp sits above every layer
    endif()

    file(STRINGS "${SORGENTI}/${file_rel}" righe REGEX "^[ \t]*#[ \t]*include")
    foreach(riga IN LISTS righe)
        if(NOT riga MATCHES "#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
            continue()
        endif()
        set(incluso "${CMAKE_MATCH_1}")
        if(incluso MATCHES "\\.moc$")
            continue()
        endif()
        set(strato_incluso "")
        if(incluso MATCHES "^([^/]+)/")
            set(strato_incluso "${CMAKE_MATCH_1}")
        endif()
        list(FIND strati "${strato_incluso}" livello_incluso)
        if(riga MATCHES "\"")
            # A quoted include is a project header: named from src/, and it must exist.
            if(livello_incluso LESS 0 OR NOT EXISTS "${SORGENTI}/${incluso}")
                message(SEND_ERROR "${file_rel}: ${riga}  <- un file del progetto si include "
                                   "con il percorso da src/ (per esempio \"core/Global.h\")")
                math(EXPR errori "${errori} + 1")
                continue()
            endif()
        elseif(livello_incluso LESS 0)
            continue() # a system or Qt header
        endif()
        if(livello_incluso GREATER livello_file)
            message(SEND_ERROR "${file_rel}: ${riga}  <- lo strato ${strato_incluso} sta sopra "
                               "lo strato del file")
            math(EXPR errori "${errori} + 1")
        endif()
    endforeach()
endforeach()

list(LENGTH file_sorgenti quanti)
if(errori GREATER 0)
    message(FATAL_ERROR "${errori} inclusioni fuori dagli strati consentiti")
endif()
message(STATUS "${quanti} file: ogni inclusione rispetta gli strati (${strati})")
