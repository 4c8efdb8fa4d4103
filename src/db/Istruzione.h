#pragma once

#include "app/Esito.h"

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

    // Moves to the next row: true when a row is ready, false at the end or after an error.
    bool passo();
    // Runs the statement to its end.
    EsitoOperazione esegui();
    // Makes the statement ready to run again with new values.
    void reimposta();

    int colonne() const;
    bool nullo(int colonna) const;
    int
    tipo(int colonna) const; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL
    qint64 intero(int colonna) const;
    double reale(int colonna) const;
    QString testo(int colonna) const;
    QString nomeColonna(int colonna) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    EsitoOperazione esito_;
};

// Runs SQL texts that return no rows (several statements separated by ';' are allowed).
EsitoOperazione EseguiSql(sqlite3* db, const QString& testoSql);

// Transactions of one command: begun so that the write lock is taken at once (a second copy of
// the program then waits at the start, not halfway), committed or rolled back.
EsitoOperazione IniziaTransazione(sqlite3* db);
EsitoOperazione ConfermaTransazione(sqlite3* db);
void AnnullaTransazione(sqlite3* db);
