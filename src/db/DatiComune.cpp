#include "DatiComune.h"

void DatiComune::CalcolaRadianti() {
    LatRad = GradiPrimiInRadianti(LatiG, LatiP);
    LongRad = GradiPrimiInRadianti(LongG, LongP);
}

QString TestoFisso(const QString& testo, int larghezza) {
    return testo.left(larghezza).leftJustified(larghezza, QLatin1Char(' '));
}

float GradiPrimiInRadianti(double gradi, double primi) {
    const float radiantiPerGrado = 3.14f / 180.0f;
    return static_cast<float>((gradi + primi / 60.0) * radiantiPerGrado);
}

QString TestoCoordinata(qint16 gradi, qint16 primi) {
    return QString::number(gradi) + QStringLiteral("° ") + QString::number(primi) +
           QLatin1Char('\'');
}
