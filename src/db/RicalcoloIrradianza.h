#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"
#include "core/calc/CapoluoghiVicini.h"

#include <QList>
#include <QString>
#include <functional>

struct sqlite3;

// The batch recomputation of the two nearby provincial capitals and of the irradiance of a list
// of municipalities, written into Comuni (ProvVicina1, ProvVicina2, irradianza) in one
// transaction. It shows no message: the caller reports the outcome (window or console).
namespace RicalcoloIrradianza {

// The capitals, in the order the archive returns them.
extern const QString QueryCapoluoghi;
// One municipality, followed by its COM_ID in decimal digits.
extern const QString QueryComune;

enum class Fase {
    Controllo,  // checking the archive's pages, before anything is read
    Capoluoghi, // reading the capitals or beginning the transaction
    Comuni,     // the municipality `indice` of the list
    Conferma,   // the commit
};

struct ErroreDistanzaComune {
    qint32 comune;       // index in the list
    ErroreDistanza dato; // the capital and the ArcCos error
};

struct Risultato {
    EsitoOperazione esito; // the error that stopped the run (everything rolled back)
    Fase fase = Fase::Conferma;
    qint32 indice = -1;      // the municipality being processed when the run stopped
    bool nonTrovato = false; // its row is no longer in the archive
    int modificati = 0;      // rows updated by the run (stored only when esito is ok)
    // Distances taken as 0 km after an ArcCos error, in the order met.
    QList<ErroreDistanzaComune> erroriDistanza;
};

// Reloads `capoluoghi` (and their names, in `nomi`) from the archive; a result without rows
// leaves both as they were. Capitals are ordered by province code, equal codes by COM_ID.
EsitoOperazione CaricaCapoluoghi(sqlite3* db, QList<DatiComune>& capoluoghi, QStringList& nomi);

// Runs the batch on the open connection over `elenco` (its angles are recomputed first; nothing
// else in it changes) with `capoluoghi` reloaded. A damaged archive is refused before anything
// is written (Archivio::ControllaIntegrita). `avanzamento`, when given, is called after
// each municipality with the number done.
Risultato Esegui(sqlite3* db, QList<DatiComune>& elenco, QList<DatiComune>& capoluoghi,
                 const std::function<void(qint32)>& avanzamento = {});

} // namespace RicalcoloIrradianza
