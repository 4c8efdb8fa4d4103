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

// Gives `percorso` the permissions a new file gets from the user's umask (read and write,
// less what the umask takes away).
void PermessiDaUmask(const QString& percorso);

// Moves `da` to `a` unless `a` exists in any form (a file, a folder, a link, even a dangling
// one). Returns 0 or the errno of the failure (EEXIST when `a` exists).
int SpostaSenzaSostituire(const QString& da, const QString& a);

// True when the system can hold a file at `percorso` (each name at most 255 bytes, the whole
// path less than 4096).
bool NomeAccettabile(const QString& percorso);

} // namespace FileNuovo
