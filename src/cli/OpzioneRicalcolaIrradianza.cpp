#include "cli/OpzioneRicalcolaIrradianza.h"

#include "core/Configurazione.h"
#include "core/Global.h"
#include "core/query/CreaSelect.h"
#include "db/Connessione.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"
#include "db/RicalcoloIrradianza.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace {

void Errore(const QString& testo) {
    QString riga = testo;
    riga.replace(QChar(13), u'\n');
    std::fprintf(stderr, "%s\n", riga.toUtf8().constData());
}

// Every municipality of the archive, as the window's full list reads them (sorted by name).
EsitoOperazione LeggiArchivio(sqlite3* db, QList<DatiComune>& elenco) {
    Istruzione query(db, Ricerca::SelectTuttiIComuni);
    const LetturaComune::Colonne colonne = LetturaComune::Colonne::DellaQuery(query);
    EsitoOperazione esito = query.esito();
    while (esito.ok() && query.passo()) {
        elenco.append(DatiComune());
        esito = LetturaComune::Comune(query, colonne, elenco.last());
    }
    return esito.ok() ? query.esito() : esito;
}

int ConCapoluoghiAdatti(sqlite3* db) {
    QList<DatiComune> capoluoghi;
    QStringList nomi;
    if (!RicalcoloIrradianza::CaricaCapoluoghi(db, capoluoghi, nomi).ok())
        return -1; // the batch reads them again and reports the error
    return int(std::count_if(capoluoghi.begin(), capoluoghi.end(),
                             [](const DatiComune& c) { return c.Hdh > 0 && c.Hbh > 0; }));
}

int Esegui(sqlite3* db) {
    using namespace RicalcoloIrradianza;
    const QString invariato = QStringLiteral("L'archivio non è stato modificato.");
    QList<DatiComune> elenco;
    if (const EsitoOperazione letto = LeggiArchivio(db, elenco); !letto.ok()) {
        Errore(letto.errore().descrizione + u'\n' + invariato);
        return 1;
    }
    if (const int adatti = ConCapoluoghiAdatti(db); adatti >= 0 && adatti < 2) {
        Errore(QStringLiteral("Impossibile ricalcolare l'irradianza: servono almeno due capoluoghi "
                              "di provincia con i dati di irradiazione (Hdh e Hbh maggiori di 0), "
                              "l'archivio ne ha %1. Caricarli con --importa-irradiazione.\n")
                   .arg(adatti) +
               invariato);
        return 1;
    }
    // Progress every thousand municipalities, for runs long enough to wait for.
    const qint32 totale = qint32(elenco.size());
    auto avanzamento = [totale](qint32 fatti) {
        if (totale >= 2000 && (fatti % 1000 == 0 || fatti == totale))
            Errore(QStringLiteral("Ricalcolo: %1 comuni su %2").arg(fatti).arg(totale));
    };
    QList<DatiComune> capoluoghi;
    const Risultato r = RicalcoloIrradianza::Esegui(db, elenco, capoluoghi, avanzamento);
    for (const ErroreDistanzaComune& e : r.erroriDistanza)
        Errore(QStringLiteral("Distanza tra %1 e il capoluogo %2 presa come 0 km: %3")
                   .arg(elenco[e.comune].Nome, capoluoghi.value(e.dato.capoluogo).Prov.trimmed(),
                        e.dato.errore.descrizione));
    if (!r.esito.ok()) {
        Errore(r.esito.errore().descrizione);
        if (r.fase == Fase::Comuni && !r.nonTrovato)
            Errore(QStringLiteral("Comune in elaborazione: %1 %2")
                       .arg(r.indice)
                       .arg(elenco.value(r.indice).Nome));
        Errore(QStringLiteral("Nessuna modifica salvata: ") + invariato);
        return 1;
    }
    std::printf("%s\n", QStringLiteral("Comuni esaminati: %1\nRighe modificate: %2")
                            .arg(totale)
                            .arg(r.modificati)
                            .toUtf8()
                            .constData());
    return 0;
}

} // namespace

int RicalcolaIrradianza(const QString& archivio) {
    Global::PercorsoDB = archivio;
    if (archivio.isEmpty()) {
        Global::LeggiConfigurazione();
        if (Global::PercorsoDB == QStringLiteral("-1")) {
            Errore(QStringLiteral("Nessun archivio indicato: il file di configurazione %1 non è "
                                  "stato trovato o non indica l'archivio (DB).\nIndicare "
                                  "l'archivio con --archivio <percorso>.")
                       .arg(Global::NomeFileIni));
            return 1;
        }
    }
    // The connection's own message (missing or locked archive) goes to standard error.
    if (!Global::ApriConnessione())
        return 1;
    std::printf("Archivio: %s\n",
                QFileInfo(Global::PercorsoDB).absoluteFilePath().toUtf8().constData());
    std::fflush(stdout);
    const int stato = Esegui(Global::Cnn());
    Global::ChiudiConnessione();
    return stato;
}
