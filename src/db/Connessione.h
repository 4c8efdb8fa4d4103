#pragma once

#include <QString>

struct sqlite3;

// The program's one database connection, Cnn, opened on the configured archive at the start of
// every database operation and closed at its end: no connection stays open while the user works.
namespace Global {

inline const QString NomeCnn = QStringLiteral("Cnn");

// Opens Cnn on PercorsoDB. When the archive cannot be opened (missing, not a database, locked
// beyond the wait) the standard error message says why and the result is false. The first
// opening of an archive in a run (for the windows, the list at start) also checks its pages
// (Archivio::ControllaIntegrita), so that a file damaged before the start is refused before any
// command writes into it; after a failed check every opening checks again. Later openings skip
// the check: on the whole archive it costs about a tenth of a search, which the interactive
// search repeats at every character typed.
bool ApriConnessione();

// Closes and releases Cnn, so that the next ApriConnessione starts afresh.
void ChiudiConnessione();

// The SQLite handle of Cnn while it is open, otherwise nullptr.
sqlite3* Cnn();

} // namespace Global
