#pragma once

#include "core/ErroreRuntime.h"

#include <QString>

struct sqlite3;

// Italian descriptions of the database engine's errors, from its result code and its own
// English message: the messages that name a table, column, token or rule become Italian
// sentences that keep the name; the others are described by their result code.
QString DescriviErroreSqlite(int codice, const QString& messaggioNativo);

// The last error of a connection as a run-time error.
ErroreRuntime ErroreSqlite(sqlite3* db, int codice);
