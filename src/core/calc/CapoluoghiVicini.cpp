#include "core/calc/CapoluoghiVicini.h"

#include <limits>

CapoluoghiVicini ScegliCapoluoghiVicini(const PuntoSfera& comune,
                                        const QList<PuntoSfera>& puntiCapoluoghi,
                                        const QList<DatiComune>& capoluoghi,
                                        QList<ErroreDistanza>& erroriDistanza) {
    // Starting from infinite distances, the first two examined fall into place by the same
    // comparisons as every later one.
    constexpr float Infinito = std::numeric_limits<float>::infinity();
    CapoluoghiVicini vicini{-1, -1, Infinito, Infinito};
    // The cosines of the nearest and of the second: a capital whose cosine, inside -1..1, is not
    // above the second's is not strictly nearer than it, so its kilometres are not needed. Only
    // a cosine outside that range (an ArcCos error, taken as 0 km) must always be measured.
    double coseno1 = -Infinito, coseno2 = -Infinito;
    for (qint32 k = 0; k < capoluoghi.size(); ++k) {
        const double coseno = CosenoAngolo(comune, puntiCapoluoghi[k]);
        const bool conDati = capoluoghi[k].Hdh > 0 && capoluoghi[k].Hbh > 0;
        if (coseno > -1.0 && coseno <= 1.0 && (!conDati || coseno <= coseno2))
            continue;
        const Esito<float> km = DistanzaDaCoseno(coseno);
        if (!km.ok())
            erroriDistanza.append({k, km.errore()});
        if (!conDati)
            continue;
        const float d = km.valoreOppure(0.0f);
        if (d < vicini.d1) {
            vicini.i2 = vicini.i1, vicini.d2 = vicini.d1, coseno2 = coseno1;
            vicini.i1 = k, vicini.d1 = d, coseno1 = coseno;
        } else if (d < vicini.d2) {
            vicini.i2 = k, vicini.d2 = d, coseno2 = coseno;
        }
    }
    return vicini;
}
