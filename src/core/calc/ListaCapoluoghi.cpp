#include "core/calc/ListaCapoluoghi.h"

#include "core/Conversioni.h"
#include "core/calc/Distanza.h"

#include <algorithm>

QString VoceDistanza(float km, const QString& prov) {
    // Distances are whole kilometres: their decimal text has no point.
    QString s = QString::number(double(km), 'f', 0);
    if (s.size() < 4)
        s = s.rightJustified(4, u' ');
    return s + QStringLiteral(" AAA ") + prov;
}

QString VoceCapoluogo(const QString& voceDistanza) {
    const QString prov = voceDistanza.right(2);
    const qsizetype p = voceDistanza.indexOf(QStringLiteral(" AAA "));
    // The first p + 1 characters, as a 1-based position counts them; the blank goes with trim.
    const QString km = voceDistanza.left(p + 1).trimmed();
    return prov + QStringLiteral(" (") + km + QStringLiteral(" Km)");
}

ElencoDistanze CalcolaElencoDistanze(float latRad, float longRad,
                                     const QList<DatiComune>& capoluoghi) {
    ElencoDistanze elenco;
    elenco.Voci.reserve(capoluoghi.size());
    for (const DatiComune& capoluogo : capoluoghi) {
        const Esito<float> km = DistanzaKm(latRad, longRad, capoluogo.LatRad, capoluogo.LongRad);
        if (!km.ok())
            elenco.Errori.append(km.errore());
        elenco.Voci.append(VoceDistanza(km.valoreOppure(0.0f), capoluogo.Prov));
    }
    // A sorted list keeps its entries in plain text order; equal texts keep their arrival order.
    std::stable_sort(elenco.Voci.begin(), elenco.Voci.end(),
                     [](const QString& a, const QString& b) { return a < b; });
    return elenco;
}

QStringList VociCapoluoghi(const QStringList& vociDistanza) {
    QStringList voci;
    voci.reserve(vociDistanza.size());
    for (const QString& voce : vociDistanza)
        voci.append(VoceCapoluogo(voce));
    return voci;
}

Esito<qint16> DistanzaDiVoce(const QString& voceCapoluogo) {
    const qsizetype inizio = voceCapoluogo.indexOf(u'(');
    const qsizetype fine = voceCapoluogo.indexOf(QStringLiteral(" Km)"));
    if (inizio < 0 || fine <= inizio)
        return ErroreRuntime::TipoNonCorrispondente(voceCapoluogo);
    return Conversioni::TestoInIntero16(voceCapoluogo.mid(inizio + 1, fine - inizio - 1));
}

Esito<SceltaProvince> ControlloSceltaProv(const QString& voce1, const QString& voce2) {
    const QString t1 = voce1.trimmed(), t2 = voce2.trimmed();
    if (t1 == t2)
        return SceltaProvince{false, QStringLiteral("Le due province devono essere diverse")};
    const Esito<qint16> d1 = DistanzaDiVoce(t1);
    if (!d1.ok())
        return d1.errore();
    const Esito<qint16> d2 = DistanzaDiVoce(t2);
    if (!d2.ok())
        return d2.errore();
    if (d2.valore() >= d1.valore())
        return SceltaProvince{true, QString()};
    return SceltaProvince{false, QStringLiteral("la distanza tra il comune e la I provincia ") +
                                     QChar(13) + QStringLiteral("deve essere minore ") +
                                     QStringLiteral("della distanza tra il comune e la II "
                                                    "provincia")};
}
