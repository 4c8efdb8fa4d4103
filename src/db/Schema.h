#pragma once

#include "app/Esito.h"

#include <QString>
#include <functional>

struct sqlite3;

namespace Schema {

// The three tables of an archive: Comuni, the municipalities; RicComuni and RicElComuni, the
// header row and the detail rows of the printed list.
EsitoOperazione CreaTabelle(sqlite3* db);

// Makes a new archive at `percorso` with the tables, then lets `riempi` (when given) add rows in
// the same transaction. An existing file is never touched: the archive is built in a temporary
// file beside it and moved into place only when complete, so a failure leaves nothing behind.
EsitoOperazione CreaArchivio(const QString& percorso,
                             const std::function<EsitoOperazione(sqlite3*)>& riempi = {});

} // namespace Schema
