#include "core/DatiComune.h"

#include <iterator>

void DatiComune::CalcolaRadianti() {
    LatRad = GradiPrimiInRadianti(LatiG, LatiP);
    LongRad = GradiPrimiInRadianti(LongG, LongP);
}

QString TestoFisso(QString testo, int larghezza) {
    // Blank fields are the commonest: they share one constant text of blanks.
    static const QString spazi[] = {QString(), QStringLiteral(" "), QStringLiteral("  ")};
    if (testo.isEmpty() && larghezza < int(std::size(spazi)))
        return spazi[larghezza];
    if (testo.size() == larghezza)
        return testo;
    return testo.left(larghezza).leftJustified(larghezza, QLatin1Char(' '));
}

float GradiPrimiInRadianti(double gradi, double primi) {
    const float radiantiPerGrado = 3.14f / 180.0f;
    return static_cast<float>((gradi + primi / 60.0) * radiantiPerGrado);
}

namespace {

char* ScriviIntero(qint16 valore, char* p) {
    int n = valore;
    if (n < 0) {
        *p++ = '-';
        n = -n;
    }
    char cifre[6];
    int quante = 0;
    do {
        cifre[quante++] = char('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (quante > 0)
        *p++ = cifre[--quante];
    return p;
}

} // namespace

int ScriviCoordinataUtf8(qint16 gradi, qint16 primi, char* destinazione) {
    char* p = ScriviIntero(gradi, destinazione);
    *p++ = char(0xC2); // the degree sign in UTF-8
    *p++ = char(0xB0);
    *p++ = ' ';
    p = ScriviIntero(primi, p);
    *p++ = '\'';
    *p = '\0';
    return int(p - destinazione);
}

QString TestoCoordinata(qint16 gradi, qint16 primi) {
    char testo[LunghezzaMassimaCoordinata];
    return QString::fromUtf8(testo, ScriviCoordinataUtf8(gradi, primi, testo));
}
