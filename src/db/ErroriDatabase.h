#pragma once

#include "app/ErroreRuntime.h"

#include <QString>

struct sqlite3;

// Italian descriptions of the database engine's errors, from its result code and its own
// (English) message. The engine's message is kept only where it names the table, column or
// constraint concerned.
QString DescriviErroreSqlite(int codice, const QString& messaggioNativo);

// The last error of a connection as a run-time error.
ErroreRuntime ErroreSqlite(sqlite3* db, int codice);
