#include "cli/OpzioneEsportaCsv.h"

#include "cli/ElencoDaRigaDiComando.h"
#include "cli/UscitaComando.h"
#include "report/EsportaCsv.h"

#include <QFileInfo>

int OpzioneEsportaCsv(const QString& csv, const ValoriOpzioni& valori) {
    int stato = UscitaComando::Fallito;
    const std::optional<ElencoDaRigaDiComando::ElencoPronto> elenco =
        ElencoDaRigaDiComando::Prepara(csv, valori, stato);
    if (!elenco)
        return stato;
    const Esito<qsizetype> righe =
        Report::EsportaCsv(csv, elenco->dati, elenco->sostituire, elenco->archivio);
    if (!righe.ok()) {
        UscitaComando::ScriviErrore({righe.errore().descrizione});
        return UscitaComando::Fallito;
    }
    UscitaComando::Scrivi({QStringLiteral("Scritto il file CSV «%1» (comuni elencati: %2).")
                               .arg(QFileInfo(csv).absoluteFilePath())
                               .arg(righe.valore())});
    return UscitaComando::Riuscito;
}
