#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"

#include <QString>

struct sqlite3;

// The writes of the record window: one municipality saved or deleted, each in one transaction
// on an open connection, rolled back on any error so that the archive holds the whole row or
// nothing of it.
namespace SchedaComune {

// The texts of the window's boxes, trimmed, as a save writes them. An empty coordinate,
// reference or irradiance text leaves its column as it is (on update) or at its default (on
// insert); the two capital codes are written only with an irradiance.
struct Valori {
    QString Nome, Prov, Zona, GradiGiorno, Altitudine;
    QString LatiG, LatiP, LongG, LongP;
    QString RifNome, RifProv;
    QString Irradianza, ProvVicina1, ProvVicina2;
};

struct Salvataggio {
    EsitoOperazione esito;
    // The row to update was no longer in the archive, so a new one was inserted (or tried).
    bool scomparso = false;
    // The row as stored, read back before the commit (its key included).
    DatiComune riga;
};

// Updates the row with key `id`, or inserts a new one when `id` is 0 or no row has that key.
// A number box's text is read as the window reads it (Conversioni::TestoInIntero16: the typed
// number rounded halves to even); a text that is not a number, or a number that does not fit 16
// bits, fails the save.
Salvataggio Salva(sqlite3* db, qint32 id, const Valori& valori);

// Deletes the row with key `id`.
EsitoOperazione Cancella(sqlite3* db, qint32 id);

} // namespace SchedaComune
