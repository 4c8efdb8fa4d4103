#include "Archivio.h"

#include "CollazioneItaliana.h"
#include "ErroriDatabase.h"
#include "Istruzione.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <sqlite3.h>

namespace Archivio {
namespace {

ErroreRuntime ErroreApertura(const QString& percorso, const QString& motivo) {
    return ErroreRuntime::Database(
        QStringLiteral("Impossibile aprire l'archivio «%1».%2%3").arg(percorso, QChar(13), motivo));
}

EsitoOperazione ApriConModo(const QString& nomeConnessione, const QString& percorso,
                            const QString& modo, int attesaMs) {
    Chiudi(nomeConnessione);
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return ErroreApertura(percorso, QStringLiteral("Manca il driver SQLite di Qt (pacchetto "
                                                       "libqt6sql6-sqlite)."));
    const QFileInfo file(percorso);
    if (file.isDir())
        return ErroreApertura(percorso, QStringLiteral("Il percorso indica una cartella, non un "
                                                       "file."));

    // A URI with mode=rw makes SQLite refuse a missing file instead of creating an empty one;
    // the path is percent-encoded so that characters such as # stay part of the name.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nomeConnessione);
    db.setDatabaseName(QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=") + modo);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(attesaMs));
    if (!db.open()) {
        const int codice = db.lastError().nativeErrorCode().toInt();
        const bool manca = !file.exists();
        db = QSqlDatabase();
        Chiudi(nomeConnessione);
        if (manca)
            return ErroreApertura(percorso, QStringLiteral("Il file non esiste."));
        return ErroreApertura(percorso, DescriviErroreSqlite(codice, QString()));
    }

    sqlite3* maniglia = Maniglia(nomeConnessione);
    CollazioneItaliana::Registra(maniglia);
    // Any other kind of file opens without complaint; reading the list of tables tells.
    Istruzione prova(maniglia, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    prova.passo();
    if (!prova.esito().ok()) {
        const QString motivo = prova.esito().errore().descrizione;
        db = QSqlDatabase();
        Chiudi(nomeConnessione);
        return ErroreApertura(percorso, motivo);
    }
    return {};
}

} // namespace

EsitoOperazione Apri(const QString& nomeConnessione, const QString& percorso, int attesaMs) {
    if (percorso.isEmpty() || !QFileInfo::exists(percorso))
        return ErroreApertura(percorso, QStringLiteral("Il file non esiste."));
    return ApriConModo(nomeConnessione, percorso, QStringLiteral("rw"), attesaMs);
}

EsitoOperazione ApriCreando(const QString& nomeConnessione, const QString& percorso) {
    return ApriConModo(nomeConnessione, percorso, QStringLiteral("rwc"), AttesaSeBloccatoMs);
}

void Chiudi(const QString& nomeConnessione) {
    if (!QSqlDatabase::contains(nomeConnessione))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(nomeConnessione, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nomeConnessione);
}

sqlite3* Maniglia(const QString& nomeConnessione) {
    if (!QSqlDatabase::contains(nomeConnessione))
        return nullptr;
    const QSqlDatabase db = QSqlDatabase::database(nomeConnessione, false);
    if (!db.isOpen())
        return nullptr;
    const QVariant maniglia = db.driver()->handle();
    if (qstrcmp(maniglia.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(maniglia.data());
}

} // namespace Archivio
