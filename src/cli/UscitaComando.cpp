#include "cli/UscitaComando.h"

#include "core/Configurazione.h"
#include "core/Global.h"

#include <cstdio>

namespace UscitaComando {
namespace {

void ScriviSu(std::FILE* flusso, const QStringList& righe) {
    for (QString riga : righe) {
        riga.replace(QChar(13), u'\n');
        std::fputs(riga.toUtf8().constData(), flusso);
        std::fputc('\n', flusso);
    }
}

} // namespace

void Scrivi(const QStringList& righe) {
    ScriviSu(stdout, righe);
}

void ScriviErrore(const QStringList& righe) {
    ScriviSu(stderr, righe);
}

int Concludi(const EsitoOperazione& esito, const QString& riuscito) {
    if (!esito.ok()) {
        ScriviErrore({esito.errore().descrizione});
        return Fallito;
    }
    Scrivi({riuscito});
    return Riuscito;
}

std::optional<QString> ArchivioDaUsare(const QString& indicato) {
    if (!indicato.isEmpty())
        return indicato;
    Global::LeggiConfigurazione();
    if (Global::PercorsoDB != QStringLiteral("-1"))
        return Global::PercorsoDB;
    ScriviErrore({QStringLiteral("Nessun archivio indicato: il file di configurazione %1 non è "
                                 "stato trovato o non indica l'archivio (DB).")
                      .arg(Global::NomeFileIni),
                  QStringLiteral("Indicare l'archivio con --archivio <percorso>.")});
    return std::nullopt;
}

} // namespace UscitaComando
