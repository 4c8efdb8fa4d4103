#pragma once

#include <QString>

// --ricalcola-irradianza: recomputes the two nearby capitals and the irradiance of every
// municipality of the archive (in name order), without windows, in one transaction. Messages go
// to standard error, the summary to standard output. Returns the exit status: 0 done, 1 failed
// (the archive unchanged). `archivio` empty: the archive of the configuration file.
int RicalcolaIrradianza(const QString& archivio);
