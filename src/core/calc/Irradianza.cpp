#include "core/calc/Irradianza.h"

#include "core/Conversioni.h"
#include "core/calc/Distanza.h"

#include <cmath>

using Conversioni::Singola;

IndiciCapoluoghi CercaCapoluoghi(const QString& voce1, const QString& voce2,
                                 const QList<DatiComune>& capoluoghi) {
    IndiciCapoluoghi indici;
    const QString prov1 = voce1.left(2), prov2 = voce2.left(2);
    for (qint32 k = 0; k < capoluoghi.size(); ++k) {
        if (prov1 == capoluoghi[k].Prov) {
            indici.i1 = k;
            if (indici.i2 > -1)
                break;
        }
        if (prov2 == capoluoghi[k].Prov) {
            indici.i2 = k;
            if (indici.i1 > -1)
                break;
        }
    }
    return indici;
}

Esito<qint32> CalcolaIrradianza(const DatiComune& capoluogo1, const DatiComune& capoluogo2,
                                qint16 latiG, qint16 latiP) {
    const float fi1 = LatCapoluogo(capoluogo1), fi2 = LatCapoluogo(capoluogo2);
    if (fi1 == fi2)
        return ErroreRuntime::DivisionePerZero();
    const float delta = Singola(latiP / 60.0 + latiG - fi1);
    const double ampiezza = double(fi2) - double(fi1);
    const float pendenzaD = Singola((double(capoluogo2.Hdh) - capoluogo1.Hdh) / ampiezza);
    const float pendenzaB = Singola((double(capoluogo2.Hbh) - capoluogo1.Hbh) / ampiezza);
    const float hd = Singola(double(delta) * pendenzaD + capoluogo1.Hdh);
    const float hb = Singola(double(delta) * pendenzaB + capoluogo1.Hbh);
    const float h = Singola(double(hd) + hb);
    return Conversioni::InIntero32(std::floor(double(h) * double(FattoreIrradianza)));
}

Esito<qint32> CalcolaIrradianza(const QList<DatiComune>& capoluoghi, IndiciCapoluoghi indici,
                                qint16 latiG, qint16 latiP) {
    for (const qint32 i : {indici.i1, indici.i2}) {
        if (i < 0 || i >= capoluoghi.size())
            return ErroreRuntime::IndiceFuoriIntervallo(i);
    }
    return CalcolaIrradianza(capoluoghi[indici.i1], capoluoghi[indici.i2], latiG, latiP);
}
