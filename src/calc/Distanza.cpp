#include "Distanza.h"

#include "Conversioni.h"

#include <cmath>

Esito<double> ArcCos(double x) {
    if (x == 1.0)
        return 0.0;
    // The negated test also catches NaN.
    if (!(x > -1.0 && x < 1.0))
        return x == -1.0 ? ErroreRuntime::DivisionePerZero() : ErroreRuntime::ArgomentoNonValido();
    return std::atan(-x / std::sqrt(-x * x + 1.0)) + 2.0 * std::atan(1.0);
}

Esito<float> DistanzaKm(float lat1, float long1, float lat2, float long2) {
    // Each term in the order written: sin·sin + cos·cos·cos(difference of longitudes).
    const double f1 = lat1, f2 = lat2, l1 = long1, l2 = long2;
    const double c = std::sin(f1) * std::sin(f2) + std::cos(f1) * std::cos(f2) * std::cos(l1 - l2);
    const Esito<double> angolo = ArcCos(c);
    if (!angolo.ok())
        return angolo.errore();
    const float theta = Conversioni::Singola(angolo.valore());
    // The product in double precision, then rounded down: 99.9 km are 99.
    return Conversioni::Singola(std::floor(double(theta) * double(RaggioTerrestreKm)));
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
