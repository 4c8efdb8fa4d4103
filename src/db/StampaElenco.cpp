#include "db/StampaElenco.h"

#include "db/Istruzione.h"
#include "db/RicercaComuni.h"

namespace StampaElenco {
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

Esito<Stampa::ElencoStampato> CercaEStampa(sqlite3* db, const QString& query,
                                           const Stampa::FiltriStampa& filtri) {
    QList<DatiComune> elenco;
    const RicercaComuni::Risultato ricerca = RicercaComuni::Esegui(db, query, elenco);
    if (!ricerca.esito.ok())
        return ricerca.esito.errore();
    if (!ricerca.trovato)
        elenco.clear();
    Stampa::ElencoStampato stampato = Stampa::CreaElencoStampato(filtri, elenco);
    const EsitoOperazione scritta = ScriviIntestazione(db, stampato.intestazione);
    if (!scritta.ok())
        return scritta.errore();
    return stampato;
}

} // namespace StampaElenco
