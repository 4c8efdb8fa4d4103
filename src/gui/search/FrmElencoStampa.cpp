// The main window's print command: the search criteria written as the printed list's header
// row, then the preview of the list.
#include "core/Global.h"
#include "core/Messaggi.h"
#include "db/Connessione.h"
#include "db/StampaElenco.h"
#include "gui/ServiziFinestra.h"
#include "gui/preview/AnteprimaElenco.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QCheckBox>
#include <QLineEdit>

using ServiziFinestra::ImpostaPuntatore;
using ServiziFinestra::Puntatore;

bool FrmElenco::CaricaComxRic() {
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        return false;
    }
    Stampa::FiltriStampa filtri;
    filtri.comune = fraCerca->txtComuneC->text();
    filtri.prov = fraCerca->txtProvC->text();
    filtri.zona = fraCerca->txtZonaC->text();
    const auto intervalli = fraCerca->Intervalli();
    for (size_t i = 0; i < intervalli.size(); ++i)
        filtri.intervalli[i] = {intervalli[i].spunta->checkState() == Qt::Checked,
                                intervalli[i].da->text(), intervalli[i].a->text()};
    const QList<DatiComune>& elenco = Global::ElencoComuni;
    const Esito<QString> numRec =
        Stampa::TestoNumRec(elenco.size(), elenco.isEmpty() ? QString() : elenco.front().Nome);
    const EsitoOperazione esito =
        numRec.ok() ? StampaElenco::ScriviIntestazione(
                          Global::Cnn(), Stampa::CreaIntestazione(filtri, numRec.valore()))
                    : EsitoOperazione(numRec.errore());
    if (!esito.ok())
        MostraErrore(esito.errore().descrizione);
    Global::ChiudiConnessione();
    return esito.ok();
}

void FrmElenco::cmdStampa_Click() {
    if (!CaricaComxRic())
        return;
    ImpostaPuntatore(Puntatore::Clessidra);
    Esito<Report::DatiReport> dati = ErroreRuntime::Database(QString());
    const bool aperta = Global::ApriConnessione();
    if (aperta)
        dati = StampaElenco::LeggiDati(Global::Cnn());
    Global::ChiudiConnessione();
    if (!aperta || !dati.ok()) {
        ImpostaPuntatore(Puntatore::Predefinito);
        if (aperta)
            MostraErrore(dati.errore().descrizione);
        return;
    }
    AnteprimaElenco anteprima(dati.valore(), this);
    ImpostaPuntatore(Puntatore::Predefinito);
    ServiziFinestra::MostraModale(&anteprima);
}
