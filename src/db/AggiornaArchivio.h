#pragma once

#include "core/Esito.h"

struct sqlite3;

// Brings an archive made in an earlier format to the current one (Schema::Versione) when it is
// opened. Format 0 named the program's own collation ITALIANO in table Comuni, which other
// SQLite tools do not know; format 1 names only SQLite's own collations. The upgrade runs in one
// transaction and keeps every row with its COM_ID and the counter of used ids. An archive that
// cannot be upgraded (read-only, locked, damaged, or made by a newer version) is left untouched
// and the error says why.
namespace AggiornaArchivio {

EsitoOperazione AlFormatoAttuale(sqlite3* db);

} // namespace AggiornaArchivio
