#pragma once

#include "core/Esito.h"

#include <QString>

// Climatic zones and the degree days of a new locality taken from a reference locality.
//
//   zone  degree days            heating days
//   A     up to 600              105
//   B     over 600, up to 900    121
//   C     over 900, up to 1400   137
//   D     over 1400, up to 2100  166
//   E     over 2100, up to 3000  183
//   F     over 3000              365

// The zone of degree days given as text: a bound belongs to the lower zone (600 is "A", 600.5 is
// "B"); zero and negative values are "A"; a text that is not a number gives "".
QString CalcolaZona(const QString& gradiGiorno);

// The heating days of a zone letter; 0 for any other text (the empty zone).
int GiorniRiscaldamento(const QString& zona);

struct GradiGiornoCorretti {
    // The zone of the reference's degree days, which the record window shows at once.
    QString Zona;
    // The corrected degree days, or the overflow error when they do not fit 16 bits.
    Esito<qint16> GradiGiorno;
};

// The reference's degree days corrected for the difference in altitude: unchanged at the same
// altitude, otherwise gg + (N / 100) × (altitudine − altitudine of the reference) with N the
// heating days of the reference's zone, rounded halves to even.
GradiGiornoCorretti CalcolaGradiGiorno(qint16 altitudineRif, qint16 gradiGiornoRif,
                                       qint16 altitudine);
