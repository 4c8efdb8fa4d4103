#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"
#include "core/calc/Riferimento.h"

#include <QList>
#include <QString>
#include <optional>

struct sqlite3;

// The record window's reads of the archive, on an open connection: the candidate reference
// localities around typed coordinates, one municipality by name and province, and the
// provincial capitals.
namespace LetturaRiferimenti {

// The rows of the reference query around the whole degrees, in the order the archive gives them.
Esito<QList<RigaRiferimento>> LocalitaVicine(sqlite3* db, qint16 latiG, qint16 longiG);

// The first municipality (lowest key) with this name and province; none when there is none.
Esito<std::optional<DatiComune>> ComuneDaNome(sqlite3* db, const QString& nome,
                                              const QString& prov);

// The provincial capitals in province order, with key, province, coordinates (and their
// radians) and irradiation.
Esito<QList<DatiComune>> Capoluoghi(sqlite3* db);

} // namespace LetturaRiferimenti
