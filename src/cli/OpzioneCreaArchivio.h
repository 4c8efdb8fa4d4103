#pragma once

#include <QString>

// --crea-archivio: a new archive with every Italian comune; --crea-archivio-vuoto: a new
// archive with the tables only. An existing file is never replaced.
int OpzioneCreaArchivio(const QString& percorso);
int OpzioneCreaArchivioVuoto(const QString& percorso);
