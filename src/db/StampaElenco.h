#pragma once

#include "core/Esito.h"
#include "core/print/DatiReport.h"
#include "core/print/IntestazioneStampa.h"

struct sqlite3;

// The printed list's tables on an open connection: its header row written by the print command,
// and the header with the rows of the last search read back for the report.
namespace StampaElenco {

// Replaces the header row (RicComuni, RicId 1) in one transaction: the old row is deleted and
// the new one inserted. On an error everything is rolled back, so the previous row stays.
EsitoOperazione ScriviIntestazione(sqlite3* db, const Stampa::RigaIntestazione& riga);

// Every RicComuni row with the RicElComuni rows of the same RicId, in the order written.
Esito<Report::DatiReport> LeggiDati(sqlite3* db);

} // namespace StampaElenco
