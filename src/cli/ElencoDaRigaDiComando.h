#pragma once

#include "cli/AnalisiRigaDiComando.h"
#include "core/print/DatiReport.h"

#include <QList>
#include <optional>

// What --stampa-pdf and --esporta-csv share: the filters of the main window's panel as
// options, the destination checked by the rule of every written file, then the search and the
// header row of its print, written into the archive as the window writes them.
namespace ElencoDaRigaDiComando {

// The filter options and --sovrascrivi, for the option table.
QList<OpzioneRigaDiComando> OpzioniDeiFiltri();
// Their names, for the operations that take them.
QStringList NomiAccompagnatori();

struct ElencoPronto {
    Report::DatiReport dati;
    QString archivio;        // the archive in use
    bool sostituire = false; // --sovrascrivi given
};

// Everything before the file is written. On a failure the reason is on standard error, `stato`
// holds the exit status (2 for a badly written filter, 1 otherwise) and nothing is written.
std::optional<ElencoPronto> Prepara(const QString& file, const ValoriOpzioni& valori, int& stato);

} // namespace ElencoDaRigaDiComando
