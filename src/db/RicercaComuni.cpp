#include "RicercaComuni.h"

#include "Istruzione.h"
#include "LetturaComune.h"

namespace RicercaComuni {
namespace {

const QString InserimentoRiga =
    QStringLiteral("INSERT INTO RicElComuni (RicId, IdComune, Comune, Prov, Zona, Altitudine, "
                   "GradiGiorno, Latitudine, Longitudine, Irradianza) "
                   "VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

EsitoOperazione ScriviRigaStampa(Istruzione& inserimento, const DatiComune& d) {
    inserimento.reimposta();
    inserimento.lega(1, qint64(d.Id));
    inserimento.lega(2, d.Nome);
    inserimento.lega(3, d.Prov);
    inserimento.lega(4, d.Zona);
    inserimento.lega(5, qint64(d.Altitudine));
    inserimento.lega(6, qint64(d.GradiGiorno));
    inserimento.lega(7, TestoCoordinata(d.LatiG, d.LatiP));
    inserimento.lega(8, TestoCoordinata(d.LongG, d.LongP));
    inserimento.lega(9, qint64(d.Irradianza));
    return inserimento.esegui();
}

// After an error the list takes the length of the whole result, as far as the query still
// gives its rows, so that the count shows what was found.
void CompletaElenco(Istruzione& query, QList<DatiComune>& elenco) {
    while (query.passo())
        elenco.append(DatiComune());
}

} // namespace

Risultato Esegui(sqlite3* db, const QString& query, QList<DatiComune>& elenco) {
    Risultato risultato;
    elenco = {DatiComune()};

    risultato.esito = IniziaTransazione(db);
    if (!risultato.esito.ok())
        return risultato;

    auto fallisce = [&](const EsitoOperazione& errore) {
        AnnullaTransazione(db);
        risultato.esito = errore;
        return risultato;
    };

    EsitoOperazione esito =
        EseguiSql(db, QStringLiteral("Delete from RicElComuni Where RicId = 1"));
    if (!esito.ok())
        return fallisce(esito);
    Istruzione inserimento(db, InserimentoRiga);
    if (!inserimento.esito().ok())
        return fallisce(inserimento.esito());
    Istruzione righe(db, query);
    if (!righe.esito().ok())
        return fallisce(righe.esito());

    const LetturaComune::Colonne colonne = LetturaComune::Colonne::DellaQuery(righe);
    QList<DatiComune> trovati;
    while (righe.passo()) {
        risultato.trovato = true;
        trovati.append(DatiComune());
        esito = LetturaComune::Comune(righe, colonne, trovati.last());
        if (esito.ok())
            esito = ScriviRigaStampa(inserimento, trovati.last());
        if (!esito.ok()) {
            CompletaElenco(righe, trovati);
            elenco = std::move(trovati);
            return fallisce(esito);
        }
    }
    if (!righe.esito().ok()) {
        if (!trovati.isEmpty())
            elenco = std::move(trovati);
        return fallisce(righe.esito());
    }
    if (!trovati.isEmpty())
        elenco = std::move(trovati);

    esito = ConfermaTransazione(db);
    if (!esito.ok())
        return fallisce(esito);
    return risultato;
}

} // namespace RicercaComuni
