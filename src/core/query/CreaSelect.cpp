#include "core/query/CreaSelect.h"

#include "core/Conversioni.h"

namespace Ricerca {

const QString ElencoColonne =
    QStringLiteral("Select COM_ID, COM_PROV, COM_NAME, COM_ZONE, COM_DEGDAY, ") +
    QStringLiteral("COM_ALT, COM_LATI_G, COM_LATI_P, COM_LONG_G, COM_LONG_P, COM_RIFER_NAME, ") +
    QStringLiteral("COM_RIFER_PROV, Irradianza, ProvVicina1, ProvVicina2, Hdh, Hbh, capoluogo ");

const QString SelectTuttiIComuni = ElencoColonne + QStringLiteral("From Comuni Order By COM_NAME");

namespace {

bool Riempita(const QString& testo) {
    return !testo.trimmed().isEmpty();
}
bool Riempito(const IntervalloRicerca& intervallo) {
    return Riempita(intervallo.da) || Riempita(intervallo.a);
}

// A bound is the box's whole text converted, blanks included: the trimmed text only decides
// whether the box counts as filled.
Esito<QString> Limite(const QString& testo, const QLocale& locale) {
    const Esito<qint16> valore = Conversioni::TestoInIntero16(testo, locale);
    if (!valore.ok())
        return valore.errore();
    return QString::number(valore.valore());
}

Esito<QString> GruppoIntervallo(const QString& colonna, const IntervalloRicerca& intervallo,
                                const QLocale& locale) {
    QString gruppo = QStringLiteral("(");
    if (Riempita(intervallo.da)) {
        const Esito<QString> da = Limite(intervallo.da, locale);
        if (!da.ok())
            return da.errore();
        gruppo += colonna + QStringLiteral(" >= ") + da.valore();
        if (Riempita(intervallo.a))
            gruppo += QStringLiteral(" AND ");
    }
    if (Riempita(intervallo.a)) {
        const Esito<QString> a = Limite(intervallo.a, locale);
        if (!a.ok())
            return a.errore();
        gruppo += colonna + QStringLiteral(" <= ") + a.valore();
    }
    return gruppo + QStringLiteral(")");
}

} // namespace

Esito<QString> CreaSelect(const CriteriRicerca& criteri, const QLocale& locale) {
    QString testo = ElencoColonne + QStringLiteral("From Comuni");
    if (criteri.pannelloVisibile && !criteri.tuttiIComuni) {
        // Each group is present when its boxes are filled; the groups, in their fixed order,
        // are joined by " AND ".
        QStringList gruppi;
        if (Riempita(criteri.comune))
            gruppi << QStringLiteral("(COM_NAME LIKE '") + CercaApice(criteri.comune.trimmed()) +
                          QStringLiteral("%')");
        if (Riempita(criteri.provincia))
            gruppi << QStringLiteral("(COM_PROV LIKE '") + criteri.provincia.trimmed() +
                          QStringLiteral("%')");
        if (Riempita(criteri.zona))
            gruppi << QStringLiteral("(COM_ZONE = '") + criteri.zona.trimmed() +
                          QStringLiteral("')");
        for (const DefinizioneIntervallo& definizione : IntervalliRicerca) {
            const IntervalloRicerca& intervallo = criteri.*definizione.valori;
            if (!Riempito(intervallo))
                continue;
            const Esito<QString> gruppo =
                GruppoIntervallo(QLatin1String(definizione.colonna), intervallo, locale);
            if (!gruppo.ok())
                return gruppo.errore();
            gruppi << gruppo.valore();
        }
        if (!gruppi.isEmpty())
            testo += QStringLiteral(" WHERE ") + gruppi.join(QStringLiteral(" AND "));
    }
    return testo + QStringLiteral(" Order By COM_NAME");
}

QString CercaApice(const QString& nome) {
    QString risultato = nome;
    return risultato.replace(QLatin1Char('\''), QStringLiteral("''"));
}

} // namespace Ricerca
