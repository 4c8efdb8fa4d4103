#include "db/ErroriDatabase.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {

// SQLite's English messages that name what went wrong, with the Italian sentence that replaces
// each; %1 and %2 take the names the message carries.
struct Traduzione {
    const char* modello;
    const char* italiano;
};
constexpr Traduzione Traduzioni[] = {
    {R"x(^near "(.*)": syntax error$)x", "Errore di sintassi nell'istruzione SQL vicino a «%1»."},
    {R"x(^unrecognized token: "(.*)"$)x",
     "Istruzione SQL non valida: «%1» non è un simbolo riconosciuto (forse un apice non chiuso)."},
    {R"x(^incomplete input$)x", "Istruzione SQL incompleta."},
    {R"x(^no such table: (.*)$)x", "Nell'archivio manca la tabella «%1»."},
    {R"x(^no such column: (.*)$)x", "Nell'archivio manca la colonna «%1»."},
    {R"x(^table (\S+) has no column named (.*)$)x", "La tabella «%1» non ha la colonna «%2»."},
    {R"x(^no such collation sequence: (.*)$)x",
     "L'archivio richiede la regola di confronto «%1», che questo programma non conosce."},
    {R"x(^no such function: (.*)$)x", "Funzione SQL sconosciuta: «%1»."},
    {R"x(^wrong number of arguments to function (.*)\(\)$)x",
     "Numero di argomenti sbagliato per la funzione SQL «%1»."},
    {R"x(^(\d+) values for (\d+) columns$)x", "Ci sono %1 valori per %2 colonne."},
    {R"x(^NOT NULL constraint failed: (.*)$)x",
     "L'archivio non accetta il valore: la colonna «%1» non può restare vuota."},
    {R"x(^(?:UNIQUE|PRIMARY KEY) constraint failed: (.*)$)x",
     "L'archivio non accetta il valore: «%1» ha già questo valore in un'altra riga."},
    {R"x(^CHECK constraint failed: (.*)$)x",
     "L'archivio non accetta il valore: non rispetta la regola «%1»."},
    {R"x(^ambiguous column name: (.*)$)x", "Il nome di colonna «%1» è ambiguo."},
};

QString Traduci(const QString& nativo) {
    for (const Traduzione& t : Traduzioni) {
        const QRegularExpression modello(QString::fromUtf8(t.modello));
        const QRegularExpressionMatch trovato = modello.match(nativo);
        if (!trovato.hasMatch())
            continue;
        QString testo = QString::fromUtf8(t.italiano);
        for (int i = 1; i <= modello.captureCount(); ++i)
            testo = testo.arg(trovato.captured(i));
        return testo;
    }
    return {};
}

} // namespace

QString DescriviErroreSqlite(int codice, const QString& messaggioNativo) {
    const QString tradotto = Traduci(messaggioNativo);
    if (!tradotto.isEmpty())
        return tradotto;
    switch (codice & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("L'archivio è bloccato da un altro programma (per esempio un'altra "
                              "copia di questo programma). Riprovare più tardi.");
    case SQLITE_READONLY:
        return QStringLiteral("L'archivio è in sola lettura: le modifiche non possono essere "
                              "salvate.");
    case SQLITE_CONSTRAINT:
        // A rule of the archive (such as a trigger) with its own message.
        return QStringLiteral("L'archivio non accetta il valore (%1).").arg(messaggioNativo);
    case SQLITE_NOTADB:
        return QStringLiteral("Il file non è un archivio valido: non è un database SQLite.");
    case SQLITE_CORRUPT:
        return QStringLiteral("L'archivio è danneggiato e non può essere letto.");
    case SQLITE_FULL:
        return QStringLiteral("Spazio su disco esaurito: impossibile scrivere nell'archivio.");
    case SQLITE_IOERR:
        return QStringLiteral("Errore di lettura o di scrittura sul disco dell'archivio.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Impossibile aprire il file dell'archivio.");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Accesso all'archivio negato.");
    case SQLITE_MISMATCH:
        return QStringLiteral("Tipo non corrispondente: l'archivio non accetta il valore.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Il valore è troppo grande per l'archivio.");
    case SQLITE_NOMEM:
        return QStringLiteral("Memoria insufficiente.");
    case SQLITE_INTERRUPT:
        return QStringLiteral("Operazione sull'archivio interrotta.");
    default:
        // A message without an Italian sentence is shown as SQLite gives it, marked as such.
        return QStringLiteral("Errore del database (codice %1, messaggio di SQLite: «%2»).")
            .arg(codice)
            .arg(messaggioNativo);
    }
}

ErroreRuntime ErroreSqlite(sqlite3* db, int codice) {
    const QString nativo = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    const int esteso = db ? sqlite3_extended_errcode(db) : codice;
    return ErroreRuntime::Database(DescriviErroreSqlite(esteso ? esteso : codice, nativo));
}
