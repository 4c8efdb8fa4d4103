// Handing a municipality of the list to the record window, and picking a reference locality
// for a new one: the three record buttons and the double click.
#include "core/Global.h"
#include "core/Messaggi.h"
#include "core/calc/Riferimento.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/ServiziFinestra.h"
#include "gui/record/FrmGestioneLoc.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

// Shows the record window modally (created and loaded on first use, otherwise the same window
// with what it holds) and waits until it is hidden or closed. The main window then becomes the
// active one again, with or without a window manager to tell it so.
void MostraScheda(FrmElenco* elenco) {
    ServiziFinestra::MostraModale(&IstanzaCondivisa<FrmGestioneLoc>::Ottieni());
    elenco->Form_Activate();
}

} // namespace

void FrmElenco::cmdDettagli_Click() {
    // With no municipality under the cursor there is nothing to open.
    if (!GrdLista->RigaConComune(GrdLista->Riga())) {
        cmdDettagli->setEnabled(false);
        return;
    }
    Global::ModoScheda = 0;
    CercaIndiceComune();
    MostraScheda(this);
    if (Global::AggiornaElenco) {
        cmdCercaFra_Click();
        Global::AggiornaElenco = false;
    }
    GrdLista->ImpostaEvidenziazione(false);
}

void FrmElenco::cmdNuovo_Click() {
    Global::ModoScheda = 2;
    MostraScheda(this);
    RicercaDopoLaScheda();
    // Back here with the record window hidden: the user now picks a reference in the list.
    cmdContinua->setEnabled(Global::RicercaRiferimento == 1);
}

void FrmElenco::cmdContinua_Click() {
    // Nothing is taken until the user has selected a municipality (by mouse or letter key).
    if (!GrdLista->Evidenziazione() || !GrdLista->RigaConComune(GrdLista->Riga()))
        return;
    const qint32 precedente = Global::IndiceRiferimento;
    CercaIndiceComune();
    // A locality without degree days would give the new one nonsense: it is refused, nothing
    // changes, and the user picks another.
    if (Global::IndiceRiferimento >= 0 && Global::IndiceRiferimento < Global::ElencoComuni.size()) {
        const DatiComune& rif = Global::ElencoComuni.at(Global::IndiceRiferimento);
        if (!PuoEssereRiferimento(rif.GradiGiorno)) {
            Global::IndiceRiferimento = precedente;
            MsgBox(MessaggioSenzaGradiGiorno(rif.Nome.trimmed(), rif.Prov.trimmed()),
                   PulsantiMessaggio::Ok, IconaMessaggio::Informazione, Global::Titolo);
            return;
        }
    }
    MostraScheda(this);
    RicercaDopoLaScheda();
}

void FrmElenco::RicercaDopoLaScheda() {
    if (Global::AggiornaElenco) {
        // The whole archive, so that a new locality shows in the list.
        fraCerca->chkAllC->setCheckState(Qt::Checked);
        cmdCercaFra_Click();
        Global::AggiornaElenco = false;
    }
    GrdLista->ImpostaEvidenziazione(false);
}

void FrmElenco::GrdLista_DblClick() {
    if (Global::RicercaRiferimento != 0)
        cmdContinua_Click();
    else
        cmdDettagli_Click();
}
