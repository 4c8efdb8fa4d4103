#include "cli/OpzioneImportaIrradiazione.h"

#include "cli/UscitaComando.h"
#include "db/import/ImportaIrradiazione.h"

#include <QFileInfo>

int OpzioneImportaIrradiazione(const QString& percorsoCsv, const QString& archivio) {
    const std::optional<QString> percorso = UscitaComando::ArchivioDaUsare(archivio);
    if (!percorso)
        return UscitaComando::Fallito;
    const Esito<ImportaIrradiazione::Rapporto> rapporto =
        ImportaIrradiazione::Importa(*percorso, percorsoCsv);
    if (!rapporto.ok()) {
        UscitaComando::ScriviErrore({rapporto.errore().descrizione});
        return UscitaComando::Fallito;
    }
    UscitaComando::Scrivi(
        {QStringLiteral("Archivio: %1").arg(QFileInfo(*percorso).absoluteFilePath())});
    UscitaComando::Scrivi(ImportaIrradiazione::DescriviRapporto(rapporto.valore()));
    return UscitaComando::Riuscito;
}
