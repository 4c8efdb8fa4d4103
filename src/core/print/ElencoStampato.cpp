#include "core/print/ElencoStampato.h"

namespace Stampa {
namespace {

QString Coordinata(qint16 gradi, qint16 primi) {
    return gradi == 0 ? QString() : TestoCoordinata(gradi, primi);
}

// The words of a filter for a file name: letters and digits kept, every other run of
// characters one "-", at most 40 characters.
QString ParteDelNome(const QString& testo) {
    QString parte;
    for (const QChar c : testo.trimmed().left(40)) {
        if (c.isLetterOrNumber())
            parte += c;
        else if (!parte.isEmpty() && !parte.endsWith(u'-'))
            parte += u'-';
    }
    while (parte.endsWith(u'-'))
        parte.chop(1);
    return parte;
}

const char* const NomiIntervalli[] = {"altitudine", "gradi-giorno", "latitudine", "longitudine",
                                      "irradianza"};

} // namespace

QString TestoCella(const DatiComune& d, int colonna) {
    switch (colonna) {
    case 1:
        return d.Nome;
    case 2:
        return d.Prov;
    case 3:
        return d.Zona;
    case 4:
        return QString::number(d.Altitudine);
    case 5:
        return QString::number(d.GradiGiorno);
    case 6:
        return Coordinata(d.LatiG, d.LatiP);
    case 7:
        return Coordinata(d.LongG, d.LongP);
    case 8:
        return d.Irradianza == 0 ? QString() : QString::number(d.Irradianza);
    default:
        return QString();
    }
}

QString TestoConteggio(qsizetype quanti) {
    return quanti == 1 ? QStringLiteral("1 Comune")
                       : QString::number(quanti) + QStringLiteral(" Comuni");
}

FiltriStampa FiltriDellaRicerca(const CriteriRicerca& criteri,
                                const std::array<bool, 5>& spuntati) {
    FiltriStampa filtri;
    if (!criteri.pannelloVisibile || criteri.tuttiIComuni)
        return filtri;
    filtri.comune = criteri.comune.toUpper();
    filtri.prov = criteri.provincia.toUpper();
    filtri.zona = criteri.zona.toUpper();
    for (size_t i = 0; i < IntervalliRicerca.size(); ++i) {
        const IntervalloRicerca& intervallo = criteri.*IntervalliRicerca[i].valori;
        filtri.intervalli[i] = {spuntati[i], intervallo.da, intervallo.a};
    }
    return filtri;
}

ElencoStampato CreaElencoStampato(const FiltriStampa& filtri, const QList<DatiComune>& righe) {
    ElencoStampato elenco;
    elenco.intestazione = CreaIntestazione(filtri, TestoConteggio(righe.size()));
    Report::DatiReport& dati = elenco.dati;
    Report::GruppoReport gruppo;
    for (const auto& [colonna, valore] : elenco.intestazione) {
        dati.colonneGruppo << colonna;
        gruppo.valori << valore;
    }
    for (const ColonnaElenco& colonna : ColonneElenco)
        dati.colonneDettaglio << QLatin1String(colonna.colonnaStampa);
    gruppo.righe.reserve(righe.size());
    for (const DatiComune& comune : righe) {
        QStringList riga;
        riga.reserve(qsizetype(ColonneElenco.size()));
        for (int c = 1; c <= int(ColonneElenco.size()); ++c)
            riga << TestoCella(comune, c);
        gruppo.righe.append(std::move(riga));
    }
    dati.gruppi.append(std::move(gruppo));
    return elenco;
}

QString NomeProposto(const FiltriStampa& filtri, const QDate& data, const QString& estensione) {
    QStringList parti = {QStringLiteral("elenco-comuni")};
    for (const QString& testo : {filtri.comune, filtri.prov})
        parti << ParteDelNome(testo);
    if (!ParteDelNome(filtri.zona).isEmpty())
        parti << QStringLiteral("zona-") + ParteDelNome(filtri.zona);
    for (size_t i = 0; i < filtri.intervalli.size(); ++i) {
        const IntervalloStampa& intervallo = filtri.intervalli[i];
        const QString min = ParteDelNome(intervallo.min);
        const QString max = ParteDelNome(intervallo.max);
        if (!intervallo.spuntato || (min.isEmpty() && max.isEmpty()))
            continue;
        const QString nome = QLatin1String(NomiIntervalli[i]);
        parti << (max.isEmpty()   ? nome + QStringLiteral("-da-") + min
                  : min.isEmpty() ? nome + QStringLiteral("-fino-a-") + max
                                  : nome + u'-' + min + u'-' + max);
    }
    parti << data.toString(Qt::ISODate);
    parti.removeAll(QString());
    return parti.join(u'-') + u'.' + estensione;
}

} // namespace Stampa
