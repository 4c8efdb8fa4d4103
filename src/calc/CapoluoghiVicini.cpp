#include "CapoluoghiVicini.h"

#include <limits>

CapoluoghiVicini ScegliCapoluoghiVicini(const PuntoSfera& comune,
                                        const QList<PuntoSfera>& puntiCapoluoghi,
                                        const QList<DatiComune>& capoluoghi,
                                        QList<ErroreDistanza>& erroriDistanza) {
    // Starting from infinite distances, the first two examined fall into place by the same
    // comparisons as every later one.
    constexpr float Infinito = std::numeric_limits<float>::infinity();
    CapoluoghiVicini vicini{-1, -1, Infinito, Infinito};
    for (qint32 k = 0; k < capoluoghi.size(); ++k) {
        const Esito<float> km = DistanzaKm(comune, puntiCapoluoghi[k]);
        if (!km.ok())
            erroriDistanza.append({k, km.errore()});
        if (!(capoluoghi[k].Hdh > 0 && capoluoghi[k].Hbh > 0))
            continue;
        const float d = km.valoreOppure(0.0f);
        if (d < vicini.d1) {
            vicini.i2 = vicini.i1, vicini.d2 = vicini.d1;
            vicini.i1 = k, vicini.d1 = d;
        } else if (d < vicini.d2) {
            vicini.i2 = k, vicini.d2 = d;
        }
    }
    return vicini;
}
