#include "report/EsportaCsv.h"

#include "core/file/Destinazione.h"
#include "core/print/ElencoStampato.h"

#include <QIODevice>

namespace Report {
namespace {

void AggiungiCella(QByteArray& testo, const QString& valore) {
    const QByteArray cella = valore.trimmed().toUtf8();
    if (cella.contains(';') || cella.contains('"') || cella.contains('\n') ||
        cella.contains('\r')) {
        QByteArray tra = cella;
        testo += '"' + tra.replace("\"", "\"\"") + '"';
    } else {
        testo += cella;
    }
}

} // namespace

QByteArray TestoCsv(const DatiReport& dati) {
    QByteArray testo = "\xEF\xBB\xBF";
    QList<qsizetype> colonne;
    for (const Stampa::ColonnaElenco& colonna : Stampa::ColonneElenco) {
        if (!colonne.isEmpty())
            testo += ';';
        AggiungiCella(testo, QString::fromUtf8(colonna.intestazione));
        colonne << dati.colonneDettaglio.indexOf(QLatin1String(colonna.colonnaStampa));
    }
    testo += "\r\n";
    for (const GruppoReport& gruppo : dati.gruppi) {
        for (const QStringList& riga : gruppo.righe) {
            for (qsizetype c = 0; c < colonne.size(); ++c) {
                if (c > 0)
                    testo += ';';
                AggiungiCella(testo, riga.value(colonne[c]));
            }
            testo += "\r\n";
        }
    }
    return testo;
}

Esito<qsizetype> EsportaCsv(const QString& percorso, const DatiReport& dati, bool sostituire,
                            const QString& archivio) {
    qsizetype righe = 0;
    for (const GruppoReport& gruppo : dati.gruppi)
        righe += gruppo.righe.size();
    const QByteArray testo = TestoCsv(dati);
    const EsitoOperazione scritto = Destinazione::Scrivi(
        {percorso, archivio, sostituire, QStringLiteral("il file CSV")},
        [&](QIODevice& file) -> EsitoOperazione {
            if (file.write(testo) == testo.size())
                return {};
            return ErroreRuntime::Database(
                QStringLiteral("Impossibile scrivere il file CSV «%1»: il disco è pieno o non "
                               "accetta il file.")
                    .arg(percorso));
        });
    if (!scritto.ok())
        return scritto.errore();
    return righe;
}

} // namespace Report
