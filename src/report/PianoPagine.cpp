#include "report/PianoPagine.h"

#include <optional>

namespace Report {

Esito<QList<Pagina>> PianoPagine(const Layout& layout, int altezzaPagina,
                                 const QList<int>& righePerGruppo) {
    const int testa = layout.banda(TipoBanda::IntestazionePagina).altezza;
    const int piede = layout.banda(TipoBanda::PiedePagina).altezza;
    const int limite = altezzaPagina - piede;
    const int dettaglio = layout.banda(TipoBanda::Dettaglio).altezza;
    for (const Banda& banda : layout.bande) {
        if (banda.tipo == TipoBanda::IntestazionePagina || banda.tipo == TipoBanda::PiedePagina)
            continue;
        // The group footer needs room for the detail line that goes with it.
        const int serve = banda.altezza + (banda.tipo == TipoBanda::PiedeGruppo ? dettaglio : 0);
        if (testa + serve > limite)
            return ErroreRuntime::Database(
                QStringLiteral("La pagina è troppo piccola per l'elenco: servono almeno %1 "
                               "twip di altezza utile, la pagina ne ha %2.")
                    .arg(testa + serve + piede)
                    .arg(altezzaPagina));
    }

    QList<Pagina> pagine;
    int y = 0;
    auto chiudiPagina = [&] { pagine.last().append({TipoBanda::PiedePagina, -1, -1, limite}); };
    auto nuovaPagina = [&] {
        pagine.append({{TipoBanda::IntestazionePagina, -1, -1, 0}});
        y = testa;
    };
    auto colloca = [&](TipoBanda tipo, int gruppo, int riga) {
        const int altezza = layout.banda(tipo).altezza;
        if (y + altezza > limite) {
            // A group footer never starts a page alone: the group's last detail line, when it
            // ends the page, goes over with it.
            std::optional<Collocazione> ultima;
            if (tipo == TipoBanda::PiedeGruppo &&
                pagine.last().last().banda == TipoBanda::Dettaglio &&
                pagine.last().last().gruppo == gruppo)
                ultima = pagine.last().takeLast();
            chiudiPagina();
            nuovaPagina();
            if (ultima) {
                pagine.last().append({TipoBanda::Dettaglio, gruppo, ultima->riga, y});
                y += dettaglio;
            }
        }
        pagine.last().append({tipo, gruppo, riga, y});
        y += altezza;
    };

    nuovaPagina();
    colloca(TipoBanda::IntestazioneReport, -1, -1);
    for (int g = 0; g < righePerGruppo.size(); ++g) {
        colloca(TipoBanda::IntestazioneGruppo, g, -1);
        for (int r = 0; r < righePerGruppo[g]; ++r)
            colloca(TipoBanda::Dettaglio, g, r);
        colloca(TipoBanda::PiedeGruppo, g, -1);
    }
    colloca(TipoBanda::PiedeReport, -1, -1);
    chiudiPagina();
    return pagine;
}

} // namespace Report
