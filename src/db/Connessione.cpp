#include "db/Connessione.h"

#include "core/Global.h"
#include "core/Messaggi.h"
#include "db/Archivio.h"

#include <QSet>

namespace Global {
namespace {

// The archives whose pages passed the check in this run.
QSet<QString>& Controllati() {
    static QSet<QString> controllati;
    return controllati;
}

} // namespace

bool ApriConnessione() {
    EsitoOperazione esito = Archivio::Apri(NomeCnn, PercorsoDB);
    if (esito.ok() && !Controllati().contains(PercorsoDB)) {
        esito = Archivio::ControllaIntegrita(Cnn());
        if (esito.ok())
            Controllati().insert(PercorsoDB);
        else
            Archivio::Chiudi(NomeCnn);
    }
    if (!esito.ok())
        MostraErrore(esito.errore().descrizione);
    return esito.ok();
}

void ChiudiConnessione() {
    Archivio::Chiudi(NomeCnn);
}

sqlite3* Cnn() {
    return Archivio::Maniglia(NomeCnn);
}

} // namespace Global
