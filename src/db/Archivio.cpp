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

struct Aperta {
    sqlite3* db = nullptr;
    QString percorso; // as given to Apri, for the messages that name the file
};

// The open connections by name. All database work runs on the user-interface thread.
QHash<QString, Aperta>& Connessioni() {
    static QHash<QString, Aperta> connessioni;
    return connessioni;
}

// The name of the file open on `db`, as the caller gave it.
QString PercorsoDi(sqlite3* db) {
    for (const Aperta& aperta : std::as_const(Connessioni())) {
        if (aperta.db == db)
            return aperta.percorso;
    }
    return QString::fromUtf8(sqlite3_db_filename(db, "main"));
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
        esito = AggiornaArchivio::FormatoLeggibile(db);
    if (!esito.ok()) {
        sqlite3_close(db);
        return ErroreApertura(percorso, esito.errore().descrizione);
    }
    Connessioni().insert(nomeConnessione, {db, percorso});
    return {};
}

EsitoOperazione ApriFileNuovo(const QString& nomeConnessione, const QString& percorso) {
    Chiudi(nomeConnessione);
    const Esito<sqlite3*> aperto = ApriFileEsistente(percorso, AttesaSeBloccatoMs);
    if (!aperto.ok())
        return aperto.errore();
    Connessioni().insert(nomeConnessione, {aperto.valore(), percorso});
    return {};
}

void Chiudi(const QString& nomeConnessione) {
    sqlite3* db = Connessioni().take(nomeConnessione).db;
    if (!db)
        return;
    // Closing rolls back a transaction left open; statements are finalised by their owners.
    if (!sqlite3_get_autocommit(db))
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
}

sqlite3* Maniglia(const QString& nomeConnessione) {
    return Connessioni().value(nomeConnessione).db;
}

EsitoOperazione ControllaIntegrita(sqlite3* db) {
    // quick_check answers one row "ok", or one row per fault it finds; a file damaged in its
    // first pages makes the statement itself fail.
    Istruzione controllo(db, QStringLiteral("PRAGMA quick_check"));
    const bool integro = controllo.passo() && controllo.testo(0) == QStringLiteral("ok");
    if (integro)
        return {};
    const int codice = sqlite3_extended_errcode(db) & 0xff;
    if (!controllo.esito().ok() && codice != SQLITE_CORRUPT && codice != SQLITE_NOTADB)
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile controllare l'archivio «%1».%2%3")
                .arg(PercorsoDi(db), QChar(13), controllo.esito().errore().descrizione));
    return ErroreRuntime::Database(
        QStringLiteral("L'archivio «%1» è danneggiato: il controllo dell'integrità di SQLite "
                       "(PRAGMA quick_check) ha trovato errori.%2L'archivio non è stato "
                       "modificato: ripristinarne una copia di sicurezza.")
            .arg(PercorsoDi(db), QChar(13)));
}

} // namespace Archivio
