#include "core/Configurazione.h"

#include "core/Global.h"
#include "core/LettoreIni.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace Global {

QString CartellaWindows() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString CartellaApplicazione() {
    return QCoreApplication::applicationDirPath();
}

bool LeggiConfigurazione() {
    return LeggiConfigurazione(CartellaWindows(), CartellaApplicazione());
}

bool LeggiConfigurazione(const QString& cartellaWindows, const QString& cartellaApplicazione) {
    PercorsoIni =
        PulisciPercorso(CercaPercorsoIni(NomeFileIni, cartellaWindows, cartellaApplicazione));
    // When no folder was found PercorsoIni is "-1": the file "-1Kelvaro_2007.ini" does not
    // exist and every value comes back as "-1".
    const QString file = PercorsoIni + NomeFileIni;
    PercorsoDB = PulisciPercorso(LeggiIni(file, QStringLiteral("Percorsi"), QStringLiteral("DB")));
    PercorsoImmagini =
        PulisciPercorso(LeggiIni(file, QStringLiteral("Percorsi"), QStringLiteral("Immagini")));
    ImgSemRosso = LeggiIni(file, QStringLiteral("ico"), QStringLiteral("SemRosso"));
    ImgSemGiallo = LeggiIni(file, QStringLiteral("ico"), QStringLiteral("SemGiallo"));
    ImgSemVerde = LeggiIni(file, QStringLiteral("ico"), QStringLiteral("SemVerde"));
    return true;
}

} // namespace Global
