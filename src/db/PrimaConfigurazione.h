#pragma once

#include "core/Esito.h"

#include <QString>
#include <QStringList>

// Preparation of the first run: the configuration file, the traffic-light pictures and the
// archive with every Italian comune. What already exists is never touched or overwritten.
namespace PrimaConfigurazione {

struct Rapporto {
    QStringList fatto;     // what was done or found, one Italian sentence per line
    EsitoOperazione esito; // the error that stopped the preparation, if any
};

// The folder of the program's data: <GenericDataLocation>/kelvaro (~/.local/share/kelvaro).
QString CartellaDatiPredefinita();

// The text of the configuration file naming the archive and the pictures' folder.
QString TestoConfigurazione(const QString& percorsoArchivio, const QString& cartellaImmagini);

// When the configuration file is found where the program looks for it (in `cartellaWindows`,
// or under `cartellaApplicazione`), nothing is done. Otherwise creates `cartellaDati` with the
// subfolder immagini/ and its three pictures, the archive kelvaro.db filled with all comuni
// (each only when missing), and lastly the configuration file in `cartellaWindows`.
Rapporto Prepara(const QString& cartellaWindows, const QString& cartellaApplicazione,
                 const QString& cartellaDati);

} // namespace PrimaConfigurazione
