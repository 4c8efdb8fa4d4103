#pragma once

#include <QString>

namespace Global {

inline const QString NomeFileIni = QStringLiteral("Kelvaro_2007.ini");

// On Linux the user's configuration folder ($XDG_CONFIG_HOME, usually ~/.config) stands in for
// the Windows folder; the application folder is the folder of the running program.
QString CartellaWindows();
QString CartellaApplicazione();

// Finds and reads the configuration file once, filling PercorsoIni, PercorsoDB,
// PercorsoImmagini, ImgSemRosso, ImgSemGiallo and ImgSemVerde. No value is validated: a missing
// one is stored as "-1". Returns false after an error, which it has already reported.
bool LeggiConfigurazione();
bool LeggiConfigurazione(const QString& cartellaWindows, const QString& cartellaApplicazione);

} // namespace Global
