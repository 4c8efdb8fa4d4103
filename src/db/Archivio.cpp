#include "db/Archivio.h"

#include "db/AggiornaArchivio.h"
#include "db/CollazioneItaliana.h"
#include "db/ErroriDatabase.h"
#include "db/Istruzione.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <sqlite3.h>

namespace Archivio {
namespace {

// The open connections by name. All database work runs on the user-interface thread.
QHash<QString, sqlite3*>& Connessioni() {
    static QHash<QString, sqlite3*> connessioni;
    return connessioni;
}

ErroreRuntime ErroreApertura(const QString& percorso, const QString& motivo) {
    return ErroreRuntime::Database(
        QStringLiteral("Impossibile aprire l'archivio «%1».%2%3").arg(percorso, QChar(13), motivo));
}

} // namespace

QByteArray NomeDelFile(const QString& percorso) {
    return QFile::encodeName(percorso);
}

namespace {

// Opens an existing file, never creating one: without SQLITE_OPEN_CREATE a missing file is an
// error, never an empty new archive; without a URI every character of the name is part of it.
// The lock wait, extended error codes and the Italian collation and LIKE are set on it.
Esito<sqlite3*> ApriFileEsistente(const QString& percorso, int attesaMs) {
    sqlite3* db = nullptr;
    const int codice =
        sqlite3_open_v2(NomeDelFile(percorso).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (codice != SQLITE_OK) {
        const QString motivo = ErroreSqlite(db, codice).descrizione;
        sqlite3_close(db);
        return ErroreApertura(percorso, motivo);
    }
    sqlite3_busy_timeout(db, attesaMs);
    sqlite3_extended_result_codes(db, 1);
    CollazioneItaliana::Registra(db);
    return db;
}

} // namespace

EsitoOperazione Apri(const QString& nomeConnessione, const QString& percorso, int attesaMs) {
    Chiudi(nomeConnessione);
    const QFileInfo file(percorso);
    if (percorso.isEmpty() || !file.exists())
        return ErroreApertura(percorso, QStringLiteral("Il file non esiste."));
    if (file.isDir())
        return ErroreApertura(percorso,
                              QStringLiteral("Il percorso indica una cartella, non un file."));

    const Esito<sqlite3*> aperto = ApriFileEsistente(percorso, attesaMs);
    if (!aperto.ok())
        return aperto.errore();
    sqlite3* db = aperto.valore();
    // Any other kind of file opens without complaint: reading the list of tables tells.
    EsitoOperazione esito;
    {
        Istruzione prova(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        prova.passo();
        esito = prova.esito();
    }
    if (esito.ok())
        esito = AggiornaArchivio::AlFormatoAttuale(db);
    if (!esito.ok()) {
        sqlite3_close(db);
        return ErroreApertura(percorso, esito.errore().descrizione);
    }
    Connessioni().insert(nomeConnessione, db);
    return {};
}

EsitoOperazione ApriFileNuovo(const QString& nomeConnessione, const QString& percorso) {
    Chiudi(nomeConnessione);
    const Esito<sqlite3*> aperto = ApriFileEsistente(percorso, AttesaSeBloccatoMs);
    if (!aperto.ok())
        return aperto.errore();
    Connessioni().insert(nomeConnessione, aperto.valore());
    return {};
}

void Chiudi(const QString& nomeConnessione) {
    sqlite3* db = Connessioni().take(nomeConnessione);
    if (!db)
        return;
    // Closing rolls back a transaction left open; statements are finalised by their owners.
    if (!sqlite3_get_autocommit(db))
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
}

sqlite3* Maniglia(const QString& nomeConnessione) {
    return Connessioni().value(nomeConnessione, nullptr);
}

} // namespace Archivio
