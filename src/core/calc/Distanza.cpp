#include "core/calc/Distanza.h"

#include "core/Conversioni.h"

#include <cmath>

Esito<double> ArcCos(double x) {
    if (x == 1.0)
        return 0.0;
    // The negated test also catches NaN.
    if (!(x > -1.0 && x < 1.0))
        return x == -1.0 ? ErroreRuntime::DivisionePerZero() : ErroreRuntime::ArgomentoNonValido();
    return std::atan(-x / std::sqrt(-x * x + 1.0)) + 2.0 * std::atan(1.0);
}

PuntoSfera::PuntoSfera(float latRad, float longRad)
    : seno(std::sin(double(latRad)))
    , coseno(std::cos(double(latRad)))
    , longitudine(longRad) {}

double CosenoAngolo(const PuntoSfera& a, const PuntoSfera& b) {
    // Each term in the order written: sin·sin + cos·cos·cos(difference of longitudes).
    return a.seno * b.seno + a.coseno * b.coseno * std::cos(a.longitudine - b.longitudine);
}

Esito<float> DistanzaDaCoseno(double coseno) {
    const Esito<double> angolo = ArcCos(coseno);
    if (!angolo.ok())
        return angolo.errore();
    const float theta = Conversioni::Singola(angolo.valore());
    // The product in double precision, then rounded down: 99.9 km are 99.
    return Conversioni::Singola(std::floor(double(theta) * double(RaggioTerrestreKm)));
}

Esito<float> DistanzaKm(const PuntoSfera& a, const PuntoSfera& b) {
    return DistanzaDaCoseno(CosenoAngolo(a, b));
}

Esito<float> DistanzaKm(float lat1, float long1, float lat2, float long2) {
    return DistanzaKm(PuntoSfera(lat1, long1), PuntoSfera(lat2, long2));
}

float LatCapoluogo(const DatiComune& capoluogo) {
    return Conversioni::Singola(capoluogo.LatiG + capoluogo.LatiP / 60.0);
}

Esito<float> LatCapoluogo(const QList<DatiComune>& capoluoghi, qint32 i) {
    if (i < 0 || i >= capoluoghi.size())
        return ErroreRuntime::IndiceFuoriIntervallo(i);
    return LatCapoluogo(capoluoghi[i]);
}

Esito<float> RadiantiDaTesti(const QString& gradi, const QString& primi) {
    const auto g = Conversioni::TestoInNumero(gradi);
    if (!g)
        return ErroreRuntime::TipoNonCorrispondente(gradi);
    const auto p = Conversioni::TestoInNumero(primi);
    if (!p)
        return ErroreRuntime::TipoNonCorrispondente(primi);
    return GradiPrimiInRadianti(*g, *p);
}
