#pragma once

#include "core/Esito.h"

#include <QList>
#include <QString>

// The reference locality of a new locality found from its typed coordinates: the nearest row by
// a planar measure on packed coordinates, within one whole degree each way.

// The packed coordinate: the number read from the degrees text followed directly by the primes
// text, so 45° 30' is 4530 and 45° 5' is 455 (not 4505); with empty primes, 45 is 45. A text
// that does not read as a number is a type-mismatch error.
Esito<double> CoordinataCompatta(const QString& gradi, const QString& primi);

// The query of the candidate rows around the typed whole degrees (no order: rows come as the
// archive returns them). Only localities whose degree days and altitude the archive holds are
// candidates.
QString QueryRiferimento(qint16 latiG, qint16 longiG);

// A locality can be the reference of a new one only when the archive holds its degree days (a
// locality without them reads 0): the corrected degree days would otherwise be nonsense.
inline bool PuoEssereRiferimento(qint16 gradiGiorno) {
    return gradiGiorno > 0;
}
// The message that refuses such a locality when the user picks it.
QString MessaggioSenzaGradiGiorno(const QString& nome, const QString& prov);

// One candidate row; the coordinates as the decimal text of the column, empty when Null.
struct RigaRiferimento {
    QString Nome, Prov;
    QString LatiG, LatiP, LongG, LongP;
};

// The chosen reference, name and province trimmed; an empty name means none was found.
struct Riferimento {
    QString Nome, Prov;
    bool trovato() const { return !Nome.isEmpty(); }
};

// The row nearest to the packed coordinates (latitudine, longitudine) by
// sqrt((Q − longitudine)² + (P − latitudine)²); on equal distances the first row stays. An error
// when a row's coordinates do not pack into a number.
Esito<Riferimento> ScegliRiferimento(double latitudine, double longitudine,
                                     const QList<RigaRiferimento>& righe);
