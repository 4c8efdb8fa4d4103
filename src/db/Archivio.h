#pragma once

#include "app/Esito.h"

#include <QString>

struct sqlite3;

// Opening and closing connections on an archive file. A connection is a named Qt SQLite
// connection; the program's own statements run on its SQLite handle (see Istruzione).
namespace Archivio {

// How long an operation waits for a file that another program is writing before it gives up
// with a "locked" error.
inline constexpr int AttesaSeBloccatoMs = 3000;

// Opens connection `nomeConnessione` on the existing archive `percorso`, never creating a file:
// a missing file, a folder, a file that is not an SQLite database or a locked one gives an
// Italian error naming the file. The Italian collation and LIKE are registered on it.
EsitoOperazione Apri(const QString& nomeConnessione, const QString& percorso,
                     int attesaMs = AttesaSeBloccatoMs);

// As Apri, but creates the file when it is missing: only for making a new archive.
EsitoOperazione ApriCreando(const QString& nomeConnessione, const QString& percorso);

// Closes and forgets the connection; nothing happens when it is not open.
void Chiudi(const QString& nomeConnessione);

// The SQLite handle of an open connection, nullptr when it is not open.
sqlite3* Maniglia(const QString& nomeConnessione);

} // namespace Archivio
