#pragma once

#include <QString>

// A run-time error as the program reports it to the user: a kind and an Italian description.
// The description is what the standard error message shows.
enum class CodiceErrore {
    TipoNonCorrispondente,
    Overflow,
    DivisionePerZero,
    FileNonTrovato,
    ImmagineNonValida,
    IndiceFuoriIntervallo,
    Database,
    ArgomentoNonValido,
};

struct ErroreRuntime {
    CodiceErrore codice = CodiceErrore::Database;
    QString descrizione;

    static ErroreRuntime TipoNonCorrispondente(const QString& testo);
    static ErroreRuntime Overflow(const QString& valore);
    static ErroreRuntime DivisionePerZero();
    static ErroreRuntime FileNonTrovato(const QString& percorso);
    static ErroreRuntime ImmagineNonValida(const QString& percorso);
    static ErroreRuntime IndiceFuoriIntervallo(qint64 indice);
    static ErroreRuntime Database(const QString& descrizione);
    // A calculation given a value outside its domain (the arc cosine of 1.5).
    static ErroreRuntime ArgomentoNonValido();
};
