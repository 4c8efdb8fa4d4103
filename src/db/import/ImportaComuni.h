#pragma once

#include "core/Esito.h"

#include <QByteArray>

struct sqlite3;

// Fills the table Comuni of a new archive with the municipalities shipped inside the program
// (the resource ":/comuni.csv": one row per comune, header
// nome,prov,zona,gradi_giorno,altitudine,lat_g,lat_p,long_g,long_p,capoluogo).
namespace ImportaComuni {

inline constexpr const char* RisorsaComuni = ":/comuni.csv";

// Inserts one row per line of `csv` with one prepared statement, in the caller's transaction.
// Names are stored in upper case with their accents (Forlì -> FORLÌ), capitals with capoluogo
// -1 and the others 0; an empty field is stored as Null. A malformed line stops the insertion
// with an Italian error naming the line; the caller then rolls back.
EsitoOperazione Inserisci(sqlite3* db, const QByteArray& csv);

// As Inserisci, with the file shipped inside the program.
EsitoOperazione InserisciComuniDelProgramma(sqlite3* db);

} // namespace ImportaComuni
