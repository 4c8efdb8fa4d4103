#pragma once

#include <QString>

// Reading the configuration file, a profile file of sections in square brackets and lines
// key=value, with the results that the Windows profile reader gives for the same file.
namespace Global {

// The value of `chiave` in `sezione` of the file, as the Windows profile reader returns it with
// an empty default and a buffer of `dimensioneBuffer` characters: section and key names match
// without regard to case, blanks around the value are dropped, a value in matching quotes loses
// them, and the value is cut to dimensioneBuffer - 1 characters. Empty when the file, the
// section or the key is missing.
QString LeggiStringaProfilo(const QString& percorsoFile, const QString& sezione,
                            const QString& chiave, int dimensioneBuffer);

// The value read with a 3000-character buffer; "-1" when it is missing or empty.
QString LeggiIni(const QString& percorsoFile, const QString& sezione, const QString& chiave);

// The path with every run of slashes after its first character reduced to one slash, so that
// a leading double slash survives: "/home//utente///dati/" -> "/home/utente/dati/".
QString PulisciPercorso(const QString& percorso);

// The folder, ending with a slash, in which the configuration file `nomeFile` is taken to be:
// the Windows folder's stand-in if the file is there; otherwise the application folder's
// subfolder "ini" (any letter case) if the file is there; otherwise, without testing, the
// subfolder "Ini" of the application folder's parent. "-1" when there is no answer.
QString CercaPercorsoIni(const QString& nomeFile, const QString& cartellaWindows,
                         const QString& cartellaApplicazione);

} // namespace Global
