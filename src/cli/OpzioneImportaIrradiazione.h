#pragma once

#include <QString>

// --importa-irradiazione: loads the capitals' Hdh and Hbh from a CSV file into `archivio` (the
// configured archive when empty) and reports what was updated.
int OpzioneImportaIrradiazione(const QString& percorsoCsv, const QString& archivio);
