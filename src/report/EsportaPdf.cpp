#include "report/EsportaPdf.h"

#include "core/file/Destinazione.h"
#include "report/DisegnoReport.h"

#include <QPageSize>
#include <QPdfWriter>

namespace Report {

Esito<int> EsportaPdf(const QString& percorso, const Layout& layout, const DatiReport& dati,
                      bool sostituire, const QString& archivio) {
    Esito<int> pagine = 0;
    const EsitoOperazione scritto =
        Destinazione::Scrivi({percorso, archivio, sostituire, QStringLiteral("il file PDF")},
                             [&](QIODevice& file) -> EsitoOperazione {
                                 QPdfWriter scrittore(&file);
                                 scrittore.setResolution(1440);
                                 scrittore.setPageSize(QPageSize(QPageSize::A4));
                                 scrittore.setTitle(QStringLiteral("ELENCO COMUNI"));
                                 scrittore.setCreator(QStringLiteral("Zizovuvo Rizu Zodadazid"));
                                 pagine = DisegnaReport(scrittore, layout, dati);
                                 return pagine.ok() ? EsitoOperazione() : pagine.errore();
                             });
    if (!scritto.ok())
        return scritto.errore();
    return pagine;
}

} // namespace Report
