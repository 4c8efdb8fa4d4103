#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"

#include <QList>
#include <QString>

struct sqlite3;

namespace RicercaComuni {

struct Risultato {
    // True as soon as the query has shown a row, also when an error came later.
    bool trovato = false;
    EsitoOperazione esito;
};

// Runs a search on an open connection, in one transaction: the detail rows of the printed list
// (RicElComuni) are replaced by one row per municipality found, and `elenco` receives the
// municipalities in query order. Without rows `elenco` is one empty element. On an error the
// transaction is rolled back, so the previous detail rows stay; `elenco` then holds the elements
// read before the error and, when the rows can still be counted, empty elements for the rest.
Risultato Esegui(sqlite3* db, const QString& query, QList<DatiComune>& elenco);

} // namespace RicercaComuni
