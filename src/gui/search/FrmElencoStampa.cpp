// The main window's print command: the printed list of the search that the grid shows, its
// header row stored, then its preview.
#include "core/Global.h"
#include "core/Messaggi.h"
#include "db/Connessione.h"
#include "db/StampaElenco.h"
#include "gui/ServiziFinestra.h"
#include "gui/preview/AnteprimaElenco.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/ModelloGriglia.h"

using ServiziFinestra::ImpostaPuntatore;
using ServiziFinestra::Puntatore;

bool FrmElenco::CaricaComxRic(const Stampa::RigaIntestazione& riga) {
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        return false;
    }
    const EsitoOperazione esito = StampaElenco::ScriviIntestazione(Global::Cnn(), riga);
    if (!esito.ok())
        MostraErrore(esito.errore().descrizione);
    Global::ChiudiConnessione();
    return esito.ok();
}

void FrmElenco::cmdStampa_Click() {
    if (!ricercaMostrata_) {
        MsgBox(QStringLiteral("L'ultima ricerca non è riuscita: non c'è un elenco da stampare.") +
                   QChar(13) + QStringLiteral("Correggere i filtri e cercare di nuovo."),
               PulsantiMessaggio::Ok, IconaMessaggio::Esclamazione, Global::Titolo);
        return;
    }
    const Stampa::ElencoStampato elenco = Stampa::CreaElencoStampato(
        ricercaMostrata_->filtri,
        ricercaMostrata_->trovato ? GrdLista->modello()->Righe() : QList<DatiComune>());
    if (!CaricaComxRic(elenco.intestazione))
        return;
    ImpostaPuntatore(Puntatore::Clessidra);
    AnteprimaElenco anteprima(elenco.dati, this);
    anteprima.ImpostaFiltri(ricercaMostrata_->filtri);
    ImpostaPuntatore(Puntatore::Predefinito);
    ServiziFinestra::MostraModale(&anteprima);
}
