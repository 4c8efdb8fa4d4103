#pragma once

#include "core/Esito.h"
#include "core/print/DatiReport.h"
#include "report/LayoutReport.h"

#include <QFont>

class QPagedPaintDevice;

namespace Report {

// The font of an element, sized in twips so that it keeps its points on any device. A family
// that is not installed gives way to the installed one closest in shape and width (Verdana to
// DejaVu Sans, Arial to Liberation Sans).
QFont FontDi(const Carattere& carattere);

// Draws the whole report on a paged device (printer, PDF writer): the layout's margins are set
// on the device, the pages planned for its page size, then drawn one by one. Returns the number
// of pages.
Esito<int> DisegnaReport(QPagedPaintDevice& dispositivo, const Layout& layout,
                         const DatiReport& dati);

} // namespace Report
