#include "db/Connessione.h"

#include "core/Global.h"
#include "core/Messaggi.h"
#include "db/Archivio.h"

namespace Global {

bool ApriConnessione() {
    const EsitoOperazione esito = Archivio::Apri(NomeCnn, PercorsoDB);
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
