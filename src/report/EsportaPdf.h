#pragma once

#include "core/Esito.h"
#include "core/Global.h"
#include "core/print/DatiReport.h"
#include "report/LayoutReport.h"

#include <QString>

namespace Report {

// Writes the report to the PDF file `percorso` on A4 pages, by the rule of every file the
// program writes (core/file/Destinazione.h): `sostituire` says whether the user agreed to replace
// an existing regular file; `archivio` (the archive in use) and anything that is not a regular
// file are never written over. The windows and the command line pass the user's answer. A
// failure leaves every file as it was. Returns the number of pages.
Esito<int> EsportaPdf(const QString& percorso, const Layout& layout, const DatiReport& dati,
                      bool sostituire = true, const QString& archivio = Global::PercorsoDB);

} // namespace Report
