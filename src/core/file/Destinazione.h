#pragma once

#include "core/Esito.h"

#include <QString>
#include <functional>

class QIODevice;

// The one rule for every file the program writes on request (the printed list as PDF or CSV,
// from a window or from the command line):
// - a name where nothing exists gets a new file;
// - an existing regular file is replaced only when the user said so (the window's question,
//   --sovrascrivi on the command line), and keeps its permissions;
// - the archive in use (under any of its names), any SQLite file, a folder, a device, a
//   symbolic link and anything else that is not a regular file are refused and left untouched.
// The file is written under a temporary name next to the destination (see FileNuovo) and takes
// its name only when complete, so a failure leaves every file as it was.
namespace Destinazione {

enum class Stato {
    Nuovo,     // nothing there: the file will be created
    Esistente, // a regular file the user may choose to replace
    Rifiutato, // never written: `motivo` says why
};

struct Esame {
    Stato stato = Stato::Nuovo;
    QString motivo;
};

// What `percorso` is as a destination, with `archivio` the archive in use (empty: none).
Esame Esamina(const QString& percorso, const QString& archivio);

// `percorso` with ".<estensione>" added unless it already ends so (in any case).
QString ConEstensione(const QString& percorso, const QString& estensione);

struct Scrittura {
    QString percorso;
    QString archivio;        // the archive in use, never written over
    bool sostituire = false; // the user agreed to replace an existing regular file
    QString cosa;            // for messages, as "il file PDF"
};

// Writes a file by the rule above: `scrivi` fills the temporary file, which then takes the
// destination's name. Errors come back as Italian messages naming the file.
EsitoOperazione Scrivi(const Scrittura& scrittura,
                       const std::function<EsitoOperazione(QIODevice&)>& scrivi);

} // namespace Destinazione
