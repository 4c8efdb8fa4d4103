#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"

#include <QList>
#include <QString>

// The irradiance of a locality: the daily diffuse (Hdh) and beam (Hbh) irradiation of two
// provincial capitals interpolated linearly by latitude, their sum times 11.57.

inline constexpr float FattoreIrradianza = 11.57f;

struct IndiciCapoluoghi {
    qint32 i1 = -1, i2 = -1;
};

// The capitals chosen in the two drop-down lists, found by the first 2 characters of each entry.
// Capitals are scanned in list order; the scan stops as soon as both are found, so with several
// capitals sharing a code the one found last before the stop counts. -1 when not found.
IndiciCapoluoghi CercaCapoluoghi(const QString& voce1, const QString& voce2,
                                 const QList<DatiComune>& capoluoghi);

// The irradiance of a locality at latitude latiG° latiP' from capital 1 and capital 2, with the
// rounding to single precision of every stored step:
//   φ1, φ2 = LatCapoluogo of the capitals;  Δ = latiP / 60 + latiG − φ1
//   Hd = Δ × slope + Hdh1 with slope = (Hdh2 − Hdh1) / (φ2 − φ1); Hb the same with Hbh
//   irradiance = (Hd + Hb) × 11.57 rounded down.
// Capitals at the same latitude are a division by zero; a result beyond 32 bits an overflow.
Esito<qint32> CalcolaIrradianza(const DatiComune& capoluogo1, const DatiComune& capoluogo2,
                                qint16 latiG, qint16 latiP);
// The same with the capitals given by their index in the list; an index error outside it.
Esito<qint32> CalcolaIrradianza(const QList<DatiComune>& capoluoghi, IndiciCapoluoghi indici,
                                qint16 latiG, qint16 latiP);
