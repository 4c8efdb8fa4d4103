#pragma once

#include "core/Esito.h"

#include <QByteArray>
#include <QString>

struct sqlite3;

// Opening and closing named connections on an archive file with the SQLite C API. The program's
// statements run on the connection's handle (see Istruzione).
namespace Archivio {

// How long an operation waits for a file that another program is writing before it gives up
// with a "locked" error.
inline constexpr int AttesaSeBloccatoMs = 3000;

// Opens connection `nomeConnessione` on the existing archive `percorso`, never creating a file:
// a missing file, a folder, a file that is not an SQLite database, a locked one or one in a
// format newer than the program's gives an Italian error naming the file. The Italian collation
// and LIKE are registered on it. Opening writes nothing: an archive in an earlier format is
// brought to the current one by the first transaction that writes (see IniziaTransazione).
EsitoOperazione Apri(const QString& nomeConnessione, const QString& percorso,
                     int attesaMs = AttesaSeBloccatoMs);

// Opens the empty file just made for a new archive, without the format check: only for
// building a new archive (Schema::CreaArchivio).
EsitoOperazione ApriFileNuovo(const QString& nomeConnessione, const QString& percorso);

// Closes and forgets the connection, rolling back a transaction left open; nothing happens
// when it is not open.
void Chiudi(const QString& nomeConnessione);

// The SQLite handle of an open connection, nullptr when it is not open.
sqlite3* Maniglia(const QString& nomeConnessione);

// Checks the pages of the archive open on `db` with SQLite's PRAGMA quick_check. A damaged
// file (cut short, overwritten in part) gives an Italian error naming it; an archive that cannot
// be read for another reason (locked) gives that reason. Writing into a damaged file spreads the
// damage, so operations that write many rows check first.
EsitoOperazione ControllaIntegrita(sqlite3* db);

// The bytes of a file name as the system stores it.
QByteArray NomeDelFile(const QString& percorso);

} // namespace Archivio
