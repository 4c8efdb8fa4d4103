# Helpers of the installation and package tests (CMake scripts): every problem is collected with
# its cause, and finisci() removes the temporary folder ${CARTELLA} and fails naming them all.

function(errore testo)
    set_property(GLOBAL APPEND PROPERTY ERRORI_INSTALLAZIONE "${testo}")
endfunction()

# esegui(NOME <what> COMANDO <command...> [USCITA <variable>]): runs the command; an exit status
# other than 0 is a problem named with the command's output. USCITA receives the standard output.
function(esegui)
    cmake_parse_arguments(PARSE_ARGV 0 a "" "NOME;USCITA" "COMANDO")
    execute_process(COMMAND ${a_COMANDO} RESULT_VARIABLE stato OUTPUT_VARIABLE uscita
                    ERROR_VARIABLE errori)
    if(NOT stato EQUAL 0)
        errore("${a_NOME}: stato di uscita ${stato}\n${uscita}${errori}")
    endif()
    if(a_USCITA)
        set(${a_USCITA} "${uscita}" PARENT_SCOPE)
    endif()
endfunction()

# The width and height written in a PNG file's header must both be `lato`.
function(controlla_png file lato)
    file(READ "${file}" intestazione OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${intestazione}" 0 8 larghezza)
    string(SUBSTRING "${intestazione}" 8 8 altezza)
    math(EXPR larghezza "0x${larghezza}")
    math(EXPR altezza "0x${altezza}")
    if(NOT larghezza EQUAL lato OR NOT altezza EQUAL lato)
        errore("${file}: ${larghezza}x${altezza} pixel, attesi ${lato}x${lato}")
    endif()
endfunction()

# Removes the temporary folder; fails when a problem was found.
function(finisci)
    file(REMOVE_RECURSE "${CARTELLA}")
    get_property(errori GLOBAL PROPERTY ERRORI_INSTALLAZIONE)
    if(errori)
        list(JOIN errori "\n" testo)
        message(FATAL_ERROR "${testo}")
    endif()
endfunction()
