#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"

#include <QList>
#include <QString>

// Distances between a locality and a provincial capital over the sphere, in whole kilometres.
// Angles are the single-precision radians of DatiComune (3.14 for pi, see GradiPrimiInRadianti);
// the trigonometry runs in double precision on them.

inline constexpr float RaggioTerrestreKm = 6360.0f;

// The angle between 0 and pi whose cosine is x: 0 when x is exactly 1, otherwise
// atan(-x / sqrt(-x * x + 1)) + 2 * atan(1). A value outside -1..1 is an invalid-argument error,
// exactly -1 a division by zero; the caller reports the error and then goes on with 0.
Esito<double> ArcCos(double x);

// Whole kilometres between (lat1, long1) and (lat2, long2), rounded down. On an ArcCos error
// (the same point can push the cosine a hair above 1) the caller reports it and takes 0 km.
Esito<float> DistanzaKm(float lat1, float long1, float lat2, float long2);
inline Esito<float> DistanzaKm(const DatiComune& localita, const DatiComune& capoluogo) {
    return DistanzaKm(localita.LatRad, localita.LongRad, capoluogo.LatRad, capoluogo.LongRad);
}

// A point with the sine and cosine of its latitude worked out once, for measuring it against
// many others; the distances are the same as from the angles.
struct PuntoSfera {
    double seno, coseno, longitudine;
    PuntoSfera(float latRad, float longRad);
    explicit PuntoSfera(const DatiComune& d)
        : PuntoSfera(d.LatRad, d.LongRad) {}
};
Esito<float> DistanzaKm(const PuntoSfera& a, const PuntoSfera& b);
// The two steps of that distance: the cosine of the angle between the points, then the whole
// kilometres of an angle given by its cosine. Between -1 and 1 the kilometres never grow as the
// cosine grows.
double CosenoAngolo(const PuntoSfera& a, const PuntoSfera& b);
Esito<float> DistanzaDaCoseno(double coseno);

// The latitude of a capital in decimal degrees (not radians), single precision: 41° 54' is 41.9.
float LatCapoluogo(const DatiComune& capoluogo);
// The same for element i of a list; an index error outside the list.
Esito<float> LatCapoluogo(const QList<DatiComune>& capoluoghi, qint32 i);

// The angle of a coordinate typed as two texts (degrees, primes), each read as a real number,
// so 30.5 primes count as typed; a text that is not a number is a type-mismatch error.
Esito<float> RadiantiDaTesti(const QString& gradi, const QString& primi);
