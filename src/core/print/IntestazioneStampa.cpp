#include "core/print/IntestazioneStampa.h"

namespace Stampa {
namespace {

// The prefix of the four columns of each range, in the order of FiltriStampa::intervalli.
const char* const PrefissiIntervalli[] = {"Altitudine", "GradiGiorno", "Latitudine", "Longitudine",
                                          "Irradianza"};

// "…MinEt", "…Min", "…MaxEt", "…Max" of one range. With only an upper bound the bound goes next
// to the words, in the "…Min" column.
std::array<QString, 4> Parole(const IntervalloStampa& intervallo) {
    const QString min = intervallo.min.trimmed();
    const QString max = intervallo.max.trimmed();
    if (!intervallo.spuntato)
        return {};
    if (!min.isEmpty() && !max.isEmpty())
        return {QStringLiteral("compresa tra"), min, QStringLiteral("e"), max};
    if (!min.isEmpty())
        return {QStringLiteral("maggiore o uguale a"), min, QString(), QString()};
    if (!max.isEmpty())
        return {QStringLiteral("minore o uguale a"), max, QString(), QString()};
    return {};
}

} // namespace

RigaIntestazione CreaIntestazione(const FiltriStampa& filtri, const QString& numRec) {
    const QString comune = filtri.comune.trimmed();
    RigaIntestazione riga = {
        {QStringLiteral("Comune"), comune.isEmpty() ? QString() : comune + u'*'},
        {QStringLiteral("Prov"), filtri.prov.trimmed()},
        {QStringLiteral("Zona"), filtri.zona.trimmed()},
    };
    for (size_t i = 0; i < filtri.intervalli.size(); ++i) {
        const QString prefisso = QLatin1String(PrefissiIntervalli[i]);
        const std::array<QString, 4> parole = Parole(filtri.intervalli[i]);
        riga.append({prefisso + QStringLiteral("MinEt"), parole[0]});
        riga.append({prefisso + QStringLiteral("Min"), parole[1]});
        riga.append({prefisso + QStringLiteral("MaxEt"), parole[2]});
        riga.append({prefisso + QStringLiteral("Max"), parole[3]});
    }
    riga.append({QStringLiteral("NumRec"), numRec});
    return riga;
}

} // namespace Stampa
