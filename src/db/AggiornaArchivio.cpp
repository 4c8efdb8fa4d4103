#include "db/AggiornaArchivio.h"

#include "db/Istruzione.h"
#include "db/Schema.h"

#include <QStringList>

namespace AggiornaArchivio {
namespace {

qint64 Numero(sqlite3* db, const QString& sql) {
    Istruzione query(db, sql);
    return query.passo() ? query.intero(0) : 0;
}

QStringList Colonne(sqlite3* db, const QString& tabella) {
    QStringList nomi;
    Istruzione query(db, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(tabella));
    while (query.passo())
        nomi << query.testo(0);
    return nomi;
}

// Table Comuni made anew without the program's collation: the rows are copied with their ids,
// the old table (and its index on the names) dropped, and the id counter kept.
EsitoOperazione RicreaComuni(sqlite3* db) {
    const qint64 contatore =
        Numero(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'Comuni'"));
    EsitoOperazione esito = EseguiSql(db, Schema::TabellaComuni(QStringLiteral("Comuni_nuova")));
    if (!esito.ok())
        return esito;
    QStringList comuni;
    const QStringList vecchie = Colonne(db, QStringLiteral("Comuni"));
    for (const QString& colonna : Colonne(db, QStringLiteral("Comuni_nuova"))) {
        if (vecchie.contains(colonna, Qt::CaseInsensitive))
            comuni << colonna;
    }
    const QString elenco = comuni.join(QStringLiteral(", "));
    return EseguiSql(
        db, QStringLiteral("INSERT INTO Comuni_nuova (%1) SELECT %1 FROM Comuni; "
                           "DROP TABLE Comuni; ALTER TABLE Comuni_nuova RENAME TO Comuni; "
                           "UPDATE sqlite_sequence SET seq = max(seq, %2) WHERE name = 'Comuni';")
                .arg(elenco)
                .arg(contatore));
}

} // namespace

EsitoOperazione AlFormatoAttuale(sqlite3* db) {
    const qint64 versione = Numero(db, QStringLiteral("PRAGMA user_version"));
    if (versione == Schema::Versione)
        return {};
    if (versione > Schema::Versione)
        return ErroreRuntime::Database(
            QStringLiteral("L'archivio è nel formato %1, di una versione più recente del "
                           "programma: questa versione non può usarlo. L'archivio non è stato "
                           "modificato.")
                .arg(versione));
    // A database without the table of municipalities is no archive of this program: it is left
    // as it is, and the statements that need the tables say what is missing.
    const QString definizione = [&] {
        Istruzione query(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' "
                                            "AND name = 'Comuni' COLLATE NOCASE"));
        return query.passo() ? query.testo(0) : QString();
    }();
    if (definizione.isEmpty())
        return {};

    EsitoOperazione esito = IniziaTransazione(db);
    if (esito.ok() && definizione.contains(QStringLiteral("ITALIANO"), Qt::CaseInsensitive))
        esito = RicreaComuni(db);
    if (esito.ok())
        esito = EseguiSql(db, QStringLiteral("PRAGMA user_version = %1").arg(Schema::Versione));
    if (esito.ok())
        esito = ConfermaTransazione(db);
    if (esito.ok())
        return {};
    AnnullaTransazione(db);
    return ErroreRuntime::Database(QStringLiteral("L'archivio è in un formato precedente e non può "
                                                  "essere aggiornato: %1 L'archivio non è stato "
                                                  "modificato.")
                                       .arg(esito.errore().descrizione));
}

} // namespace AggiornaArchivio
