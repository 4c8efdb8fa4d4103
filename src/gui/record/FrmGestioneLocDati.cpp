// Filling the record window from the list, locking its fields, the reactions of single fields
// when they lose the focus, and the edit command.
#include "core/Conversioni.h"
#include "core/Global.h"
#include "core/Messaggi.h"
#include "core/calc/GradiGiorno.h"
#include "gui/ServiziFinestra.h"
#include "gui/record/FrmGestioneLoc.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

Esito<DatiComune> FrmGestioneLoc::Scheda() const {
    if (salvato_)
        return *salvato_;
    if (Global::IndiceComune < 0 || Global::IndiceComune >= Global::ElencoComuni.size())
        return ErroreRuntime::IndiceFuoriIntervallo(Global::IndiceComune);
    return Global::ElencoComuni.at(Global::IndiceComune);
}

std::optional<DatiComune> FrmGestioneLoc::MostraScheda() {
    const Esito<DatiComune> r = Scheda();
    if (!r.ok()) {
        MostraErrore(r.errore().descrizione);
        return std::nullopt;
    }
    RiempiCaselle(r.valore());
    return r.valore();
}

void FrmGestioneLoc::RiempiCaselle(const DatiComune& r) {
    txtComune->setText(r.Nome);
    txtProv->setText(r.Prov);
    txtZona->setText(r.Zona);
    txtAltitudine->setText(QString::number(r.Altitudine));
    txtGGiorno->setText(QString::number(r.GradiGiorno));
    // The degrees alone decide whether a coordinate is shown: 0° means none is stored.
    txtLatiG->setText(r.LatiG > 0 ? QString::number(r.LatiG) : QString());
    txtLatiP->setText(r.LatiG > 0 ? QString::number(r.LatiP) : QString());
    txtLongiG->setText(r.LongG > 0 ? QString::number(r.LongG) : QString());
    txtLongiP->setText(r.LongG > 0 ? QString::number(r.LongP) : QString());
    txtComLocRif->setText(r.RifNome);
    txtProvLocRif->setText(r.RifProv);
    txtIrradianza->setText(r.Irradianza > 0 ? QString::number(r.Irradianza) : QString());
}

void FrmGestioneLoc::MostraCapoluoghi(const DatiComune& r) {
    LstDistanze->clear();
    SvuotaSelettori();
    if (r.Irradianza > 0) {
        CaricaCbo(false);
        ResumeCombo();
    }
}

void FrmGestioneLoc::SvuotaSelettori() {
    for (QComboBox* selettore : {cboProvVicina1, cboProvVicina2}) {
        const QSignalBlocker blocco(selettore);
        selettore->clear();
    }
    coppia1_ = coppia2_ = -1;
}

void FrmGestioneLoc::ScegliCoppia(int i1, int i2) {
    for (const auto& [selettore, indice] : {std::pair{cboProvVicina1, i1}, {cboProvVicina2, i2}}) {
        const QSignalBlocker blocco(selettore);
        selettore->setCurrentIndex(indice);
    }
    coppia1_ = i1;
    coppia2_ = i2;
}

void FrmGestioneLoc::CaricaDati() {
    if (Global::ModoScheda != 2) {
        if (const std::optional<DatiComune> r = MostraScheda())
            MostraCapoluoghi(*r);
        return;
    }
    for (QLineEdit* casella :
         {txtComune, txtProv, txtZona, txtAltitudine, txtGGiorno, txtLatiG, txtLatiP, txtLongiG,
          txtLongiP, txtComLocRif, txtProvLocRif, txtIrradianza})
        casella->clear();
    SvuotaSelettori();
}

void FrmGestioneLoc::BloccaCampiTesto(bool blocca) {
    for (QLineEdit* casella :
         {txtComune, txtProv, txtAltitudine, txtGGiorno, txtLatiG, txtLatiP, txtLongiG, txtLongiP})
        ServiziFinestra::ImpostaBloccata(casella, blocca);
    const QColor sfondo =
        blocca ? ServiziFinestra::ColoreFacciaPulsante() : ServiziFinestra::ColoreSfondoFinestra();
    for (SelettoreBloccabile* selettore : {cboProvVicina1, cboProvVicina2}) {
        selettore->ImpostaBloccato(blocca);
        ServiziFinestra::ImpostaSfondo(selettore, sfondo);
        QPalette tavolozza = selettore->palette();
        tavolozza.setColor(QPalette::Button, sfondo);
        selettore->setPalette(tavolozza);
    }
    // Filled only by the program: the reference of the calculation panel only by picking it or
    // by "Calcola".
    for (QLineEdit* casella :
         {txtZona, txtIrradianza, txtComLocRif, txtProvLocRif, txtComuneRif, txtProvRif})
        ServiziFinestra::ImpostaBloccata(casella, true);
}

void FrmGestioneLoc::ResumeCombo() {
    const Esito<DatiComune> r = Scheda();
    if (!r.ok()) {
        MostraErrore(r.errore().descrizione);
        return;
    }
    int p1 = 0;
    int p2 = 0;
    int trovati = 0;
    for (int i = 0; i < LstDistanze->count() && trovati < 2; ++i) {
        const QString codice = LstDistanze->item(i)->text().right(2);
        if (codice == r.valore().ProvVicina1) {
            p1 = i;
            ++trovati;
        } else if (codice == r.valore().ProvVicina2) {
            p2 = i;
            ++trovati;
        }
    }
    if (p1 >= cboProvVicina1->count() || p2 >= cboProvVicina2->count()) {
        MostraErrore(ErroreRuntime::IndiceFuoriIntervallo(qMax(p1, p2)).descrizione);
        return;
    }
    cboProvVicina1->setCurrentIndex(p1);
    cboProvVicina2->setCurrentIndex(p2);
    coppia1_ = p1;
    coppia2_ = p2;
}

bool FrmGestioneLoc::ControlloCoord() {
    for (const QLineEdit* casella : {txtLatiG, txtLatiP, txtLongiG, txtLongiP}) {
        if (casella->text().trimmed().isEmpty())
            return false;
    }
    return true;
}

void FrmGestioneLoc::cmdModifica_Click() {
    BloccaCampiTesto(false);
    Global::ModoScheda = 1;
    cmdAnnulla->setEnabled(true);
    cmdSalva->setEnabled(true);
    cmdCanc->setEnabled(false);
    cmdModifica->setEnabled(false);
    txtComune->setFocus();
}

void FrmGestioneLoc::txtComune_LostFocus() {
    txtComune->setText(txtComune->text().toUpper());
}

void FrmGestioneLoc::txtProv_LostFocus() {
    txtProv->setText(txtProv->text().toUpper());
}

void FrmGestioneLoc::txtGGiorno_LostFocus() {
    // The zone of the whole number that a save stores, read by the same rule.
    const std::optional<double> gradiGiorno = Conversioni::NumeroDiCasella(txtGGiorno->text());
    txtZona->setText(gradiGiorno ? CalcolaZona(QString::number(*gradiGiorno, 'f', 0)) : QString());
}

void FrmGestioneLoc::Coordinata_LostFocus(QLineEdit* casella) {
    // In view state nothing has been typed: the lists of the stored capitals stay as they are.
    if (Global::ModoScheda == 0 && casella->text() == testoInIngresso_)
        return;
    if (ControlloCoord())
        CaricaCbo(true);
}
