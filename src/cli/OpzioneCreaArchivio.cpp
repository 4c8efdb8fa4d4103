#include "cli/OpzioneCreaArchivio.h"

#include "cli/UscitaComando.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"

#include <QFileInfo>

int OpzioneCreaArchivio(const QString& percorso) {
    return UscitaComando::Concludi(
        Schema::CreaArchivio(percorso, ImportaComuni::InserisciComuniDelProgramma),
        QStringLiteral("Creato l'archivio «%1» con tutti i comuni italiani.")
            .arg(QFileInfo(percorso).absoluteFilePath()));
}

int OpzioneCreaArchivioVuoto(const QString& percorso) {
    return UscitaComando::Concludi(Schema::CreaArchivio(percorso),
                                   QStringLiteral("Creato l'archivio vuoto «%1» (solo le tabelle).")
                                       .arg(QFileInfo(percorso).absoluteFilePath()));
}
