#include "db/Istruzione.h"

#include "db/AdattatoreSql.h"
#include "db/AggiornaArchivio.h"
#include "db/ErroriDatabase.h"

#include <sqlite3.h>

Istruzione::Istruzione(sqlite3* db, const QString& testoSql)
    : db_(db) {
    if (!db_) {
        esito_ =
            ErroreRuntime::Database(QStringLiteral("La connessione all'archivio non è aperta."));
        return;
    }
    const QByteArray testo = AdattaSql(testoSql).toUtf8();
    const int codice =
        sqlite3_prepare_v2(db_, testo.constData(), int(testo.size()), &stmt_, nullptr);
    if (codice != SQLITE_OK)
        esito_ = ErroreSqlite(db_, codice);
    else if (!stmt_)
        esito_ = ErroreRuntime::Database(
            QStringLiteral("L'istruzione SQL è vuota: non c'è nulla da eseguire."));
}

Istruzione::~Istruzione() {
    sqlite3_finalize(stmt_);
}

void Istruzione::lega(int posizione, qint64 valore) {
    if (stmt_)
        sqlite3_bind_int64(stmt_, posizione, valore);
}

void Istruzione::lega(int posizione, double valore) {
    if (stmt_)
        sqlite3_bind_double(stmt_, posizione, valore);
}

void Istruzione::lega(int posizione, const QString& valore) {
    if (!stmt_)
        return;
    const QByteArray utf8 = valore.toUtf8();
    sqlite3_bind_text(stmt_, posizione, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void Istruzione::legaNull(int posizione) {
    if (stmt_)
        sqlite3_bind_null(stmt_, posizione);
}

bool Istruzione::passo() {
    if (!esito_.ok())
        return false;
    const int codice = sqlite3_step(stmt_);
    if (codice == SQLITE_ROW)
        return true;
    if (codice != SQLITE_DONE)
        esito_ = ErroreSqlite(db_, codice);
    return false;
}

EsitoOperazione Istruzione::esegui() {
    while (passo()) {
    }
    return esito_;
}

void Istruzione::legaUtf8(int posizione, const char* testoTerminato) {
    // With the length left to SQLite it knows of the terminating zero, and functions such as
    // length() in the table's checks read the text in place instead of copying it.
    if (stmt_)
        sqlite3_bind_text(stmt_, posizione, testoTerminato, -1, SQLITE_STATIC);
}

void Istruzione::legaUtf8(int posizione, QByteArrayView testo) {
    if (stmt_)
        sqlite3_bind_text(stmt_, posizione, testo.data() ? testo.data() : "", int(testo.size()),
                          SQLITE_STATIC);
}

void Istruzione::legaColonna(int posizione, const Istruzione& origine, int colonna) {
    if (stmt_)
        sqlite3_bind_value(stmt_, posizione, sqlite3_column_value(origine.stmt_, colonna));
}

void Istruzione::reimposta() {
    if (stmt_)
        sqlite3_reset(stmt_);
}

int Istruzione::colonne() const {
    return sqlite3_column_count(stmt_);
}

bool Istruzione::nullo(int colonna) const {
    return sqlite3_column_type(stmt_, colonna) == SQLITE_NULL;
}

int Istruzione::tipo(int colonna) const {
    return sqlite3_column_type(stmt_, colonna);
}

qint64 Istruzione::intero(int colonna) const {
    return sqlite3_column_int64(stmt_, colonna);
}

double Istruzione::reale(int colonna) const {
    return sqlite3_column_double(stmt_, colonna);
}

QString Istruzione::testo(int colonna) const {
    return QString::fromUtf8(testoUtf8(colonna));
}

QByteArrayView Istruzione::testoUtf8(int colonna) const {
    // A text column read as bytes: SQLite then hands out the bytes it holds, without first
    // copying them to add the terminating zero that sqlite3_column_text needs. Numbers come as
    // their text, as from sqlite3_column_text.
    if (sqlite3_column_type(stmt_, colonna) != SQLITE_TEXT) {
        const auto* testo = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, colonna));
        return QByteArrayView(testo, sqlite3_column_bytes(stmt_, colonna));
    }
    const auto* testo = static_cast<const char*>(sqlite3_column_blob(stmt_, colonna));
    return QByteArrayView(testo, sqlite3_column_bytes(stmt_, colonna));
}

QString Istruzione::nomeColonna(int colonna) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, colonna));
}

EsitoOperazione EseguiSql(sqlite3* db, const QString& testoSql) {
    if (!db)
        return ErroreRuntime::Database(QStringLiteral("La connessione all'archivio non è aperta."));
    const QByteArray testo = AdattaSql(testoSql).toUtf8();
    const int codice = sqlite3_exec(db, testo.constData(), nullptr, nullptr, nullptr);
    if (codice != SQLITE_OK)
        return ErroreSqlite(db, codice);
    return {};
}

EsitoOperazione IniziaTransazione(sqlite3* db) {
    EsitoOperazione esito = EseguiSql(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (!esito.ok())
        return esito;
    // An archive in an earlier format is upgraded inside the operation's own transaction, so
    // that the upgrade is stored with the operation's changes, or not at all.
    esito = AggiornaArchivio::AlFormatoAttuale(db);
    if (!esito.ok())
        AnnullaTransazione(db);
    return esito;
}

EsitoOperazione ConfermaTransazione(sqlite3* db) {
    return EseguiSql(db, QStringLiteral("COMMIT"));
}

void AnnullaTransazione(sqlite3* db) {
    if (db && !sqlite3_get_autocommit(db))
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}
