#pragma once

#include <QString>

// The program's SQL texts are written as for an Access (Jet) database, for example
// "capoluogo <> No". This adapter makes them run on SQLite in one pass: outside quoted texts
// ('...', "...", [...] and `...`) the bare words Yes and True become -1 and No and False become
// 0, as Jet stores its yes/no columns. Nothing else is touched.
QString AdattaSql(const QString& testoJet);
