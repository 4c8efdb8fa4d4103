#include "db/AggiornaArchivio.h"

#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/Schema.h"

#include <sqlite3.h>

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

// Every table of the archive with its columns, as Schema makes them (in a database in memory).
QList<std::pair<QString, QStringList>> ColonneDellArchivio() {
    QList<std::pair<QString, QStringList>> tabelle;
    sqlite3* modello = nullptr;
    if (sqlite3_open(":memory:", &modello) == SQLITE_OK && Schema::CreaTabelle(modello).ok()) {
        Istruzione nomi(modello, QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                                "'table' AND name NOT LIKE 'sqlite_%' ORDER BY "
                                                "rowid"));
        while (nomi.passo())
            tabelle.append({nomi.testo(0), Colonne(modello, nomi.testo(0))});
    }
    sqlite3_close(modello);
    return tabelle;
}

// Table Comuni made anew without the program's collation: the rows are copied with their ids,
// the old table (and its index on the names) dropped, and the id counter kept.
EsitoOperazione RicreaComuni(sqlite3* db) {
    const qint64 contatore =
        Numero(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'Comuni'"));
    EsitoOperazione esito = EseguiSql(db, Schema::TabellaComuni(QStringLiteral("Comuni_nuova")));
    if (!esito.ok())
        return esito;
    const QString elenco = Colonne(db, QStringLiteral("Comuni_nuova")).join(QStringLiteral(", "));
    return EseguiSql(
        db, QStringLiteral("INSERT INTO Comuni_nuova (%1) SELECT %1 FROM Comuni; "
                           "DROP TABLE Comuni; ALTER TABLE Comuni_nuova RENAME TO Comuni; "
                           "UPDATE sqlite_sequence SET seq = max(seq, %2) WHERE name = 'Comuni';")
                .arg(elenco)
                .arg(contatore));
}

ErroreRuntime FormatoPiuRecente(qint64 versione) {
    return ErroreRuntime::Database(
        QStringLiteral("L'archivio è nel formato %1, di una versione più recente del programma: "
                       "questa versione non può usarlo. L'archivio non è stato modificato.")
            .arg(versione));
}

} // namespace

EsitoOperazione FormatoLeggibile(sqlite3* db) {
    const qint64 versione = Numero(db, QStringLiteral("PRAGMA user_version"));
    if (versione > Schema::Versione)
        return FormatoPiuRecente(versione);
    return {};
}

QStringList ColonneMancanti(sqlite3* db) {
    QStringList mancanti;
    for (const auto& [tabella, colonne] : ColonneDellArchivio()) {
        const QStringList presenti = Colonne(db, tabella);
        for (const QString& colonna : colonne) {
            if (!presenti.contains(colonna, Qt::CaseInsensitive))
                mancanti << tabella + u'.' + colonna;
        }
    }
    return mancanti;
}

EsitoOperazione AlFormatoAttuale(sqlite3* db) {
    const qint64 versione = Numero(db, QStringLiteral("PRAGMA user_version"));
    if (versione == Schema::Versione)
        return {};
    if (versione > Schema::Versione)
        return FormatoPiuRecente(versione);
    // A new file without tables is being built; a database of another program, or a part of an
    // archive, is no archive of this program: both are left as they are, and the statements
    // that need the tables say what is missing.
    if (Numero(db, QStringLiteral("SELECT count(*) FROM sqlite_master")) == 0 ||
        !ColonneMancanti(db).isEmpty())
        return {};

    // A damaged file is refused with the checker's own message, which names it.
    EsitoOperazione esito = Archivio::ControllaIntegrita(db);
    if (!esito.ok())
        return esito;
    const QString definizione = [&] {
        Istruzione query(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' "
                                            "AND name = 'Comuni' COLLATE NOCASE"));
        return query.passo() ? query.testo(0) : QString();
    }();
    if (definizione.contains(QStringLiteral("ITALIANO"), Qt::CaseInsensitive))
        esito = RicreaComuni(db);
    if (esito.ok())
        esito = EseguiSql(db, QStringLiteral("PRAGMA user_version = %1").arg(Schema::Versione));
    if (esito.ok())
        return {};
    return ErroreRuntime::Database(QStringLiteral("L'archivio è in un formato precedente e non può "
                                                  "essere aggiornato: %1 L'archivio non è stato "
                                                  "modificato.")
                                       .arg(esito.errore().descrizione));
}

} // namespace AggiornaArchivio
