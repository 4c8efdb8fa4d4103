// The main window's search: the command, the query run into the list, the grid filled from the
// list, and the load of the whole archive when the window opens.
#include "core/Global.h"
#include "core/Messaggi.h"
#include "core/query/CreaSelect.h"
#include "db/Connessione.h"
#include "db/RicercaComuni.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/ModelloGriglia.h"
#include "gui/search/PannelloFiltri.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

using ServiziFinestra::ElaboraEventi;
using ServiziFinestra::ImpostaPuntatore;
using ServiziFinestra::Puntatore;

void FrmElenco::cmdCercaFra_Click() {
    ImpostaPuntatore(Puntatore::FrecciaClessidra);
    inElaborazione_ = true;
    CambiaSemaforo(0);
    ElaboraEventi();

    const QString query = CreaSelect();
    const Stampa::FiltriStampa filtri = FiltriDelPannello();
    ElaboraEventi();

    const bool trovato = CaricaComuni(query);
    ricercaMostrata_ =
        ricercaRiuscita_ ? std::optional(RicercaMostrata{filtri, trovato}) : std::nullopt;
    AggiornaConteggio(trovato);

    // Redrawing goes off before the grid is cleared: a clear made first would leave the grid
    // to be painted empty by the events processed below.
    GrdLista->ImpostaRidisegno(false);
    GrdLista->modello()->Azzera();
    PreparaGriglia();
    CambiaSemaforo(1);

    if (trovato) {
        CaricaGriglia();
        ElaboraEventi();
        GrdLista->ImpostaCella(1, GrdLista->Colonna());
        GrdLista->ImpostaRigaInAlto(1);
    }

    GrdLista->ImpostaRidisegno(true);
    GrdLista->ImpostaEvidenziazione(false);
    CambiaSemaforo(2);
    inElaborazione_ = false;
    ImpostaPuntatore(Puntatore::Predefinito);
}

QString FrmElenco::CreaSelect() {
    const Esito<QString> query = Ricerca::CreaSelect(fraCerca->Criteri());
    if (!query.ok()) {
        MostraErrore(query.errore().descrizione);
        return QString();
    }
    return query.valore();
}

Stampa::FiltriStampa FrmElenco::FiltriDelPannello() const {
    std::array<bool, 5> spuntati{};
    for (size_t i = 0; i < spuntati.size(); ++i)
        spuntati[i] = fraCerca->Intervalli()[i].spunta->checkState() == Qt::Checked;
    return Stampa::FiltriDellaRicerca(fraCerca->Criteri(), spuntati);
}

bool FrmElenco::CaricaComuni(const QString& mystr) {
    Global::ElencoComuni = {DatiComune()};
    ricercaRiuscita_ = false;
    // An archive that cannot be opened has already said why: the search ends with an empty
    // list and the printed list's rows untouched.
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        return false;
    }
    const RicercaComuni::Risultato risultato =
        RicercaComuni::Esegui(Global::Cnn(), mystr, Global::ElencoComuni);
    if (!risultato.esito.ok())
        MostraErrore(risultato.esito.errore().descrizione);
    ricercaRiuscita_ = risultato.esito.ok();
    Global::ChiudiConnessione();
    return risultato.trovato;
}

void FrmElenco::CaricaGriglia() {
    GrdLista->modello()->Carica(Global::ElencoComuni);
}

void FrmElenco::AggiornaConteggio(bool trovato) {
    lblNumComuni->setText(Stampa::TestoConteggio(trovato ? Global::ElencoComuni.size() : 0));
}

void FrmElenco::PreparaGriglia() {
    // The layout of every fill: nine columns, the header row and the fixed column, the widths.
    GrdLista->ImpostaLarghezze();
}

void FrmElenco::Form_Load() {
    ImpostaPuntatore(Puntatore::FrecciaClessidra);
    inElaborazione_ = true;
    primapaint_ = true;
    Global::AggiornaElenco = false;

    fraCerca->hide();
    FraCarico->show();
    CambiaSemaforo(0);

    const bool trovato = CaricaComuni(Ricerca::SelectTuttiIComuni);
    AggiornaConteggio(trovato);
    ricercaMostrata_ =
        ricercaRiuscita_ ? std::optional(RicercaMostrata{{}, trovato}) : std::nullopt;
    CambiaSemaforo(1);

    PreparaGriglia();
    GrdLista->ImpostaRidisegno(true);
    inElaborazione_ = false;
    ImpostaPuntatore(Puntatore::Predefinito);
}

void FrmElenco::Form_Paint() {
    if (!primapaint_)
        return;
    ElaboraEventi();
    ImpostaPuntatore(Puntatore::FrecciaClessidra);
    inElaborazione_ = true;
    GrdLista->ImpostaRidisegno(false);
    CaricaGriglia();
    GrdLista->ImpostaEvidenziazione(false);
    GrdLista->ImpostaRidisegno(true);
    primapaint_ = false;
    CambiaSemaforo(2);
    FraCarico->hide();
    inElaborazione_ = false;
    ImpostaPuntatore(Puntatore::Predefinito);
}
