#pragma once

#include "core/Esito.h"

#include <QStringList>

struct sqlite3;

// Brings an archive made in an earlier format to the current one (Schema::Versione). Format 0
// named the program's own collation ITALIANO in table Comuni, which other SQLite tools do not
// know; format 1 names only SQLite's own collations. The upgrade keeps every row with its COM_ID
// and the counter of used ids.
namespace AggiornaArchivio {

// Refuses, at opening, an archive made by a newer version of the program.
EsitoOperazione FormatoLeggibile(sqlite3* db);

// The columns of the archive's tables ("Tabella.colonna") that the file open on `db` lacks.
QStringList ColonneMancanti(sqlite3* db);

// Runs inside the write transaction that the caller has begun (IniziaTransazione), so that the
// upgrade is stored together with the operation's own changes, or not at all when the operation
// fails. A file without tables (a new archive being built) and one that lacks any column of the
// archive (a database of another program) are left as they are, never marked as archives. A
// damaged file, a read-only or locked one, or one made by a newer version gives an error saying
// why; the caller then rolls back.
EsitoOperazione AlFormatoAttuale(sqlite3* db);

} // namespace AggiornaArchivio
