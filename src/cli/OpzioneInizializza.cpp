#include "cli/OpzioneInizializza.h"

#include "cli/UscitaComando.h"
#include "core/Configurazione.h"
#include "db/PrimaConfigurazione.h"

#include <QtGlobal>

int OpzioneInizializza() {
    if (qEnvironmentVariableIsEmpty("HOME")) {
        UscitaComando::ScriviErrore(
            {QStringLiteral("Nessuna cartella personale impostata (la variabile HOME è vuota): "
                            "il primo avvio non viene preparato.")});
        return UscitaComando::Fallito;
    }
    const PrimaConfigurazione::Rapporto rapporto =
        PrimaConfigurazione::Prepara(Global::CartellaWindows(), Global::CartellaApplicazione(),
                                     PrimaConfigurazione::CartellaDatiPredefinita());
    UscitaComando::Scrivi(rapporto.fatto);
    if (!rapporto.esito.ok()) {
        UscitaComando::ScriviErrore(
            {rapporto.esito.errore().descrizione,
             QStringLiteral("Preparazione del primo avvio non completata.")});
        return UscitaComando::Fallito;
    }
    return UscitaComando::Riuscito;
}
