#pragma once

#include "core/Esito.h"

#include <QString>
#include <functional>

struct sqlite3;

namespace Schema {

// The format of the archive's tables, kept in PRAGMA user_version. Each change of the tables
// raises it, and AggiornaArchivio brings older archives to it when they are opened.
inline constexpr int Versione = 1;

// The definition of table Comuni under the name `nome` (a new table while upgrading).
QString TabellaComuni(const QString& nome);

// The three tables of an archive: Comuni, the municipalities; RicComuni and RicElComuni, the
// header row and the detail rows of the printed list. Sets the format version.
EsitoOperazione CreaTabelle(sqlite3* db);

// Makes a new archive at `percorso` with the tables, then lets `riempi` (when given) add rows in
// the same transaction. Nothing that exists at that name is ever touched (a file, a link, a
// journal left by a crashed writer): the archive is built in a temporary file beside it and
// moved into place only when complete, so a failure leaves nothing behind. The new file gets
// the permissions of the user's umask.
EsitoOperazione CreaArchivio(const QString& percorso,
                             const std::function<EsitoOperazione(sqlite3*)>& riempi = {});

} // namespace Schema
