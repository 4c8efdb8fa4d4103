#include "core/ErroreRuntime.h"

ErroreRuntime ErroreRuntime::TipoNonCorrispondente(const QString& testo) {
    return {CodiceErrore::TipoNonCorrispondente,
            QStringLiteral("Tipo non corrispondente: «%1» non è un numero.").arg(testo)};
}

ErroreRuntime ErroreRuntime::Overflow(const QString& valore) {
    return {
        CodiceErrore::Overflow,
        QStringLiteral("Overflow: il valore %1 è fuori dall'intervallo consentito.").arg(valore)};
}

ErroreRuntime ErroreRuntime::DivisionePerZero() {
    return {CodiceErrore::DivisionePerZero, QStringLiteral("Divisione per zero.")};
}

ErroreRuntime ErroreRuntime::FileNonTrovato(const QString& percorso) {
    return {CodiceErrore::FileNonTrovato,
            QStringLiteral("Impossibile trovare il file «%1».").arg(percorso)};
}

ErroreRuntime ErroreRuntime::ImmagineNonValida(const QString& percorso) {
    return {CodiceErrore::ImmagineNonValida,
            QStringLiteral("Immagine non valida: il file «%1» non contiene un'immagine leggibile.")
                .arg(percorso)};
}

ErroreRuntime ErroreRuntime::IndiceFuoriIntervallo(qint64 indice) {
    return {CodiceErrore::IndiceFuoriIntervallo,
            QStringLiteral("Indice non compreso nell'intervallo: %1.").arg(indice)};
}

ErroreRuntime ErroreRuntime::Database(const QString& descrizione) {
    return {CodiceErrore::Database, descrizione};
}

ErroreRuntime ErroreRuntime::ArgomentoNonValido() {
    return {CodiceErrore::ArgomentoNonValido,
            QStringLiteral("Chiamata di routine o argomento non validi.")};
}
