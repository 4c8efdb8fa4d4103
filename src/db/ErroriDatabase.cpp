#include "ErroriDatabase.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {

QString DopoDuePunti(const QString& testo) {
    const qsizetype posizione = testo.indexOf(QLatin1Char(':'));
    return posizione < 0 ? QString() : testo.mid(posizione + 1).trimmed();
}

QString DescriviErroreGenerico(const QString& nativo) {
    if (nativo.startsWith(QLatin1String("no such table")))
        return QStringLiteral("Nell'archivio manca la tabella «%1».").arg(DopoDuePunti(nativo));
    if (nativo.startsWith(QLatin1String("no such column")))
        return QStringLiteral("Nell'archivio manca la colonna «%1».").arg(DopoDuePunti(nativo));
    if (nativo.contains(QLatin1String("syntax error")) ||
        nativo.contains(QLatin1String("incomplete input")))
        return QStringLiteral("Errore di sintassi nell'istruzione SQL (%1).").arg(nativo);
    if (nativo.startsWith(QLatin1String("no such collation sequence")) ||
        nativo.startsWith(QLatin1String("no such function")))
        return QStringLiteral("L'archivio richiede una funzione di confronto non disponibile (%1).")
            .arg(nativo);
    return QStringLiteral("Errore del database: %1.").arg(nativo);
}

} // namespace

QString DescriviErroreSqlite(int codice, const QString& messaggioNativo) {
    switch (codice & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("L'archivio è bloccato da un altro programma (per esempio un'altra "
                              "copia di questo programma). Riprovare più tardi.");
    case SQLITE_READONLY:
        return QStringLiteral("L'archivio è in sola lettura: le modifiche non possono essere "
                              "salvate.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("L'archivio non accetta il valore (%1).")
            .arg(DopoDuePunti(messaggioNativo).isEmpty() ? messaggioNativo
                                                         : DopoDuePunti(messaggioNativo));
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
    case SQLITE_ERROR:
        return DescriviErroreGenerico(messaggioNativo);
    default:
        return QStringLiteral("Errore del database (codice %1): %2.")
            .arg(codice)
            .arg(messaggioNativo);
    }
}

ErroreRuntime ErroreSqlite(sqlite3* db, int codice) {
    const QString nativo = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    const int esteso = db ? sqlite3_extended_errcode(db) : codice;
    return ErroreRuntime::Database(DescriviErroreSqlite(esteso ? esteso : codice, nativo));
}
