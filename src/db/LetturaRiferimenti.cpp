#include "db/LetturaRiferimenti.h"

#include "db/Istruzione.h"
#include "db/LetturaComune.h"

namespace LetturaRiferimenti {
namespace {

QString TestoNumero(const Istruzione& riga, int colonna) {
    return riga.nullo(colonna) ? QString() : riga.testo(colonna).trimmed();
}

} // namespace

Esito<QList<RigaRiferimento>> LocalitaVicine(sqlite3* db, qint16 latiG, qint16 longiG) {
    Istruzione query(db, QueryRiferimento(latiG, longiG));
    QList<RigaRiferimento> righe;
    while (query.passo())
        righe.append({LetturaComune::Testo(query, 0), LetturaComune::Testo(query, 1),
                      TestoNumero(query, 2), TestoNumero(query, 3), TestoNumero(query, 4),
                      TestoNumero(query, 5)});
    if (!query.esito().ok())
        return query.esito().errore();
    return righe;
}

Esito<std::optional<DatiComune>> ComuneDaNome(sqlite3* db, const QString& nome,
                                              const QString& prov) {
    Istruzione query(
        db,
        QStringLiteral("Select * From Comuni Where COM_NAME = ? And COM_PROV = ? Order By COM_ID"));
    query.lega(1, nome);
    query.lega(2, prov);
    if (!query.passo()) {
        if (!query.esito().ok())
            return query.esito().errore();
        return std::optional<DatiComune>();
    }
    DatiComune d;
    const EsitoOperazione esito =
        LetturaComune::Comune(query, LetturaComune::Colonne::DellaQuery(query), d);
    if (!esito.ok())
        return esito.errore();
    return std::optional<DatiComune>(d);
}

Esito<QList<DatiComune>> Capoluoghi(sqlite3* db) {
    Istruzione query(db,
                     QStringLiteral("Select COM_ID, COM_PROV, COM_NAME, COM_LATI_G, COM_LATI_P, ") +
                         QStringLiteral("COM_LONG_G, COM_LONG_P, Hdh, Hbh, capoluogo ") +
                         QStringLiteral("From Comuni Where capoluogo <> No Order By COM_PROV"));
    const LetturaComune::Colonne colonne = LetturaComune::Colonne::DellaQuery(query);
    QList<DatiComune> capoluoghi;
    while (query.passo()) {
        capoluoghi.append(DatiComune());
        const EsitoOperazione esito = LetturaComune::Comune(query, colonne, capoluoghi.last());
        if (!esito.ok())
            return esito.errore();
    }
    if (!query.esito().ok())
        return query.esito().errore();
    return capoluoghi;
}

} // namespace LetturaRiferimenti
