#pragma once

#include "core/Esito.h"
#include "core/print/ElencoStampato.h"
#include "core/print/IntestazioneStampa.h"

struct sqlite3;

// The printed list's tables on an open connection: its header row written by the print command,
// and a search with its print as the command line makes them.
namespace StampaElenco {

// Replaces the header row (RicComuni, RicId 1) in one transaction: the old row is deleted and
// the new one inserted. On an error everything is rolled back, so the previous row stays.
EsitoOperazione ScriviIntestazione(sqlite3* db, const Stampa::RigaIntestazione& riga);

// A search and its print as the main window makes them: the search runs `query` (one
// transaction that replaces the RicElComuni rows, see RicercaComuni), then the header row of
// `filtri` and of the count is written; returns the printed list of the rows found, in query
// order. Nothing is printed when the search fails.
Esito<Stampa::ElencoStampato> CercaEStampa(sqlite3* db, const QString& query,
                                           const Stampa::FiltriStampa& filtri);

} // namespace StampaElenco
