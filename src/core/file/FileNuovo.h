#pragma once

#include <QString>

// Making a new file safely next to its destination: it is built under a temporary name that
// tells it belongs to this program and to which run (".kelvaro-temp-<process id>-XXXXXX"), and
// moved into place only when complete, never replacing anything.
namespace FileNuovo {

inline const QString PrefissoTemporanei = QStringLiteral(".kelvaro-temp-");

// The temporary name pattern for a new file in `cartella`, for QTemporaryFile.
QString ModelloTemporaneo(const QString& cartella);

// Removes from `cartella` the temporary files (and their SQLite journals) left by runs of this
// program that no longer exist; those of running copies stay.
void RimuoviAbbandonati(const QString& cartella);

// True when the system can hold a file at `percorso` (each name at most 255 bytes, the whole
// path less than 4096).
bool NomeAccettabile(const QString& percorso);

} // namespace FileNuovo
