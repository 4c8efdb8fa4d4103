#pragma once

#include "core/Esito.h"
#include "report/LayoutReport.h"

#include <QList>

// Which band goes on which page, worked out from the band heights alone, before anything is
// drawn.
namespace Report {

struct Collocazione {
    TipoBanda banda = TipoBanda::Dettaglio;
    int gruppo = -1; // the header row, for the group bands and the detail
    int riga = -1;   // the detail row within the group
    int alto = 0;    // twips from the top of the page's printable area
};

using Pagina = QList<Collocazione>;

// Places the bands on pages whose printable area is `altezzaPagina` twips high: the page header
// at the top and the page footer at the bottom of every page; in between the report header, then
// for each group its header, one detail band per row and its footer, then the report footer. A
// band that does not fit above the page footer starts a new page; a group footer that does not
// fit takes the group's last detail line with it, so that the count never stands alone on a page.
// `righePerGruppo` holds the number of detail rows of each group. A page too small for the
// tallest band (or for a detail line with the group footer) is an error.
Esito<QList<Pagina>> PianoPagine(const Layout& layout, int altezzaPagina,
                                 const QList<int>& righePerGruppo);

} // namespace Report
