// The reactions of the main window's filter panel. The program's own changes of a box or a
// check box run their reactions as the user's do; only the busy flag stops the chains.
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

bool Spuntata(const QCheckBox* spunta) {
    return spunta->checkState() != Qt::Unchecked;
}

} // namespace

void FrmElenco::CambioFiltroTesto() {
    if (inElaborazione_)
        return;
    fraCerca->chkAllC->setCheckState(Qt::Unchecked);
    if (Spuntata(fraCerca->chkInter))
        cmdCercaFra_Click();
}

void FrmElenco::CambioIntervallo() {
    if (!inElaborazione_ && Spuntata(fraCerca->chkInter))
        cmdCercaFra_Click();
}

void FrmElenco::Filtro_KeyDown(qint16& KeyCode, qint16) {
    if (KeyCode == 13)
        cmdCercaFra_Click();
}

void FrmElenco::MaiuscoloInUscita(QLineEdit* casella) {
    casella->setText(casella->text().toUpper());
}

void FrmElenco::txtComuneC_LostFocus() {
    MaiuscoloInUscita(fraCerca->txtComuneC);
}

void FrmElenco::txtProvC_LostFocus() {
    MaiuscoloInUscita(fraCerca->txtProvC);
}

void FrmElenco::txtZonaC_LostFocus() {
    MaiuscoloInUscita(fraCerca->txtZonaC);
}

void FrmElenco::ClicIntervallo(int numero) {
    const PannelloFiltri::Intervallo intervallo = fraCerca->Intervalli().at(size_t(numero));
    const bool usabile = intervallo.spunta->checkState() == Qt::Checked;
    if (usabile) {
        fraCerca->chkAllC->setCheckState(Qt::Unchecked);
    } else {
        intervallo.da->clear();
        intervallo.a->clear();
    }
    ServiziFinestra::ImpostaBloccata(intervallo.da, !usabile);
    ServiziFinestra::ImpostaBloccata(intervallo.a, !usabile);
}

void FrmElenco::SvuotaFiltri() {
    fraCerca->txtComuneC->clear();
    fraCerca->txtProvC->clear();
    fraCerca->txtZonaC->clear();
    for (const PannelloFiltri::Intervallo& intervallo : fraCerca->Intervalli()) {
        intervallo.spunta->setCheckState(Qt::Unchecked);
        intervallo.da->clear();
        intervallo.a->clear();
    }
}

void FrmElenco::chkAllC_Click() {
    if (fraCerca->chkAllC->checkState() == Qt::Checked) {
        inElaborazione_ = true;
        SvuotaFiltri();
        inElaborazione_ = false;
    }
    if (Spuntata(fraCerca->chkInter))
        cmdCercaFra_Click();
}

void FrmElenco::cmdCerca_Click() {
    // Without the busy flag: in interactive mode each box emptied here searches.
    SvuotaFiltri();
    for (const PannelloFiltri::Intervallo& intervallo : fraCerca->Intervalli()) {
        ServiziFinestra::ImpostaBloccata(intervallo.da, true);
        ServiziFinestra::ImpostaBloccata(intervallo.a, true);
    }
    fraCerca->setHidden(!fraCerca->isHidden());
}
