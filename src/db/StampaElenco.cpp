#include "db/StampaElenco.h"

#include "db/Istruzione.h"

#include <QHash>
#include <functional>

namespace StampaElenco {
namespace {

// Reads every row of a query as texts; the column names go to `colonne`.
EsitoOperazione LeggiRighe(sqlite3* db, const QString& sql, QStringList& colonne,
                           const std::function<void(QStringList&&)>& riga) {
    Istruzione query(db, sql);
    if (!query.esito().ok())
        return query.esito();
    colonne.clear();
    for (int c = 0; c < query.colonne(); ++c)
        colonne << query.nomeColonna(c);
    while (query.passo()) {
        QStringList valori;
        valori.reserve(colonne.size());
        for (int c = 0; c < query.colonne(); ++c)
            valori << query.testo(c);
        riga(std::move(valori));
    }
    return query.esito();
}

} // namespace

EsitoOperazione ScriviIntestazione(sqlite3* db, const Stampa::RigaIntestazione& riga) {
    EsitoOperazione esito = IniziaTransazione(db);
    if (!esito.ok())
        return esito;
    QStringList colonne = {QStringLiteral("RicId")};
    QStringList segnaposto = {QStringLiteral("1")};
    for (const auto& [colonna, valore] : riga) {
        colonne << colonna;
        segnaposto << QStringLiteral("?");
    }
    esito = EseguiSql(db, QStringLiteral("Delete from RicComuni Where RicId = 1"));
    if (esito.ok()) {
        Istruzione inserimento(db, QStringLiteral("INSERT INTO RicComuni (%1) VALUES (%2)")
                                       .arg(colonne.join(u','), segnaposto.join(u',')));
        for (int i = 0; i < riga.size(); ++i)
            inserimento.lega(i + 1, riga[i].second);
        esito = inserimento.esegui();
    }
    if (esito.ok())
        esito = ConfermaTransazione(db);
    if (!esito.ok())
        AnnullaTransazione(db);
    return esito;
}

Esito<Report::DatiReport> LeggiDati(sqlite3* db) {
    Report::DatiReport dati;
    QList<QString> chiavi; // the RicId of each group
    EsitoOperazione esito = LeggiRighe(db, QStringLiteral("SELECT * FROM RicComuni ORDER BY rowid"),
                                       dati.colonneGruppo, [&](QStringList&& valori) {
                                           dati.gruppi.append({std::move(valori), {}});
                                       });
    if (!esito.ok())
        return esito.errore();
    const int chiaveGruppo = int(dati.colonneGruppo.indexOf(QStringLiteral("RicId")));
    QHash<QString, QList<int>> gruppiPerChiave;
    for (int g = 0; g < dati.gruppi.size(); ++g)
        gruppiPerChiave[dati.gruppi[g].valori.value(chiaveGruppo)].append(g);

    int chiaveDettaglio = -1;
    esito = LeggiRighe(db, QStringLiteral("SELECT * FROM RicElComuni ORDER BY rowid"),
                       dati.colonneDettaglio, [&](QStringList&& valori) {
                           if (chiaveDettaglio < 0)
                               chiaveDettaglio =
                                   int(dati.colonneDettaglio.indexOf(QStringLiteral("RicId")));
                           const QList<int> gruppi =
                               gruppiPerChiave.value(valori.value(chiaveDettaglio));
                           for (int g : gruppi)
                               dati.gruppi[g].righe.append(valori);
                       });
    if (!esito.ok())
        return esito.errore();
    return dati;
}

} // namespace StampaElenco
