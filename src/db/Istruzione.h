#pragma once

#include "core/Esito.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQL statement on an open archive connection. The text is written as the program
// writes all its SQL (Jet style) and passes through AdattaSql first. Errors are kept, in
// Italian, in esito(); a statement that failed to prepare does nothing.
class Istruzione {
public:
    Istruzione(sqlite3* db, const QString& testoSql);
    ~Istruzione();
    Istruzione(const Istruzione&) = delete;
    Istruzione& operator=(const Istruzione&) = delete;

    const EsitoOperazione& esito() const { return esito_; }

    void lega(int posizione, qint64 valore);
    void lega(int posizione, double valore);
    void lega(int posizione, const QString& valore);
    void legaNull(int posizione);
    // Binds a UTF-8 text ending with a zero byte without copying it: it must stay unchanged
    // until the statement has run (passo or esegui).
    void legaUtf8(int posizione, const char* testoTerminato);
    // The same for bytes without a terminating zero (for columns that no check reads).
    void legaUtf8(int posizione, QByteArrayView testo);
    // Binds a copy of a column of another statement's current row, as it is stored.
    void legaColonna(int posizione, const Istruzione& origine, int colonna);

    // Moves to the next row: true when a row is ready, false at the end or after an error.
    bool passo();
    // Runs the statement to its end.
    EsitoOperazione esegui();
    // Makes the statement ready to run again; the values bound stay until bound anew.
    void reimposta();

    int colonne() const;
    bool nullo(int colonna) const;
    int
    tipo(int colonna) const; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL
    qint64 intero(int colonna) const;
    double reale(int colonna) const;
    QString testo(int colonna) const;
    // The column's text as UTF-8 bytes, valid until the next step.
    QByteArrayView testoUtf8(int colonna) const;
    QString nomeColonna(int colonna) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    EsitoOperazione esito_;
};

// Runs SQL texts that return no rows (several statements separated by ';' are allowed).
EsitoOperazione EseguiSql(sqlite3* db, const QString& testoSql);

// Transactions of one command: begun so that the write lock is taken at once (a second copy of
// the program then waits at the start, not halfway), committed or rolled back. The beginning
// also brings an archive in an earlier format to the current one (AggiornaArchivio); when that
// fails, nothing is begun and the error says why.
EsitoOperazione IniziaTransazione(sqlite3* db);
EsitoOperazione ConfermaTransazione(sqlite3* db);
void AnnullaTransazione(sqlite3* db);
