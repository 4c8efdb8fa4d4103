#pragma once

#include "core/Esito.h"
#include "core/print/DatiReport.h"
#include "report/LayoutReport.h"

#include <QString>

namespace Report {

// Writes the report to the PDF file `percorso` on A4 pages. The pages go to a temporary file
// beside it, which takes the name only when complete: a failure leaves no file half-written
// and an existing file as it was. Returns the number of pages.
Esito<int> EsportaPdf(const QString& percorso, const Layout& layout, const DatiReport& dati);

} // namespace Report
