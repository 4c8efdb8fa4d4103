#pragma once

#include "core/calc/Distanza.h"

// The two provincial capitals nearest to a municipality among those with irradiation data
// (Hdh and Hbh both greater than 0). Capitals are examined in list order; a capital replaces the
// nearest when strictly nearer (the old nearest becomes the second), otherwise the second when
// strictly nearer than it, so on equal distances the capital met first keeps its place.
struct CapoluoghiVicini {
    qint32 i1 = -1, i2 = -1; // -1: not enough capitals with irradiation data
    float d1 = 0, d2 = 0;
    bool trovati() const { return i2 >= 0; }
};

// Every capital is measured, also those without data: an ArcCos error takes that capital at
// 0 km and is appended to `erroriDistanza` with the capital's index.
struct ErroreDistanza {
    qint32 capoluogo;
    ErroreRuntime errore;
};
CapoluoghiVicini ScegliCapoluoghiVicini(const PuntoSfera& comune,
                                        const QList<PuntoSfera>& puntiCapoluoghi,
                                        const QList<DatiComune>& capoluoghi,
                                        QList<ErroreDistanza>& erroriDistanza);
