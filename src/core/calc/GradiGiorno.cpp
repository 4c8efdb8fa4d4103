#include "core/calc/GradiGiorno.h"

#include "core/Conversioni.h"

#include <iterator>

namespace {

struct Zona {
    const char* lettera;
    double limite; // the highest degree days of the zone
    int giorni;
};

constexpr Zona Zone[] = {
    {"A", 600, 105},  {"B", 900, 121},  {"C", 1400, 137},
    {"D", 2100, 166}, {"E", 3000, 183}, {"F", 0, 365}, // F has no upper bound
};

} // namespace

QString CalcolaZona(const QString& gradiGiorno) {
    const auto valore = Conversioni::TestoInNumero(gradiGiorno);
    if (!valore)
        return QString();
    for (const Zona& zona : Zone) {
        if (&zona == std::end(Zone) - 1 || *valore <= zona.limite)
            return QString::fromLatin1(zona.lettera);
    }
    return QString();
}

int GiorniRiscaldamento(const QString& zona) {
    for (const Zona& z : Zone) {
        if (zona == QLatin1String(z.lettera))
            return z.giorni;
    }
    return 0;
}

GradiGiornoCorretti CalcolaGradiGiorno(qint16 altitudineRif, qint16 gradiGiornoRif,
                                       qint16 altitudine) {
    const QString zona = CalcolaZona(QString::number(gradiGiornoRif));
    if (altitudine == altitudineRif)
        return {zona, gradiGiornoRif};
    const double perMetro = GiorniRiscaldamento(zona) / 100.0;
    const double corretti = gradiGiornoRif + perMetro * (double(altitudine) - altitudineRif);
    return {zona, Conversioni::InIntero16(corretti)};
}
