#pragma once

#include <QString>

// The program's SQL texts are written as for an Access (Jet) database, for example
// "capoluogo <> No". This adapter makes them run on SQLite in one pass: outside quoted texts
// ('...', "...", [...] and `...`) the bare words Yes and True become -1 and No and False become
// 0, as Jet stores its yes/no columns; the name columns COM_NAME and COM_RIFER_NAME get the
// Italian collation (COLLATE ITALIANO) where they are sorted (ORDER BY) or compared (=, <>, <,
// >, BETWEEN, IN; not in the assignments of an UPDATE), since the stored tables name none.
// Nothing else is touched.
QString AdattaSql(const QString& testoJet);
