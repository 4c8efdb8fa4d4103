// The record window's calculations: the reference locality and its degree days, the lists of
// nearby provincial capitals and the irradiance. The numbers come from core/calc, the rows from
// db; here the controls are read and written.
#include "core/Conversioni.h"
#include "core/Global.h"
#include "core/Messaggi.h"
#include "core/calc/Distanza.h"
#include "core/calc/GradiGiorno.h"
#include "core/calc/Irradianza.h"
#include "core/calc/ListaCapoluoghi.h"
#include "core/calc/Riferimento.h"
#include "db/Connessione.h"
#include "db/LetturaRiferimenti.h"
#include "gui/ServiziFinestra.h"
#include "gui/record/FrmGestioneLoc.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

QString Testo(const QLineEdit* casella) {
    return casella->text().trimmed();
}

const QString SenzaRiferimento = QStringLiteral(
    "Inserire le coordinate geografiche, oppure selezionare una località di riferimento.");

void Informa(const QString& testo) {
    MsgBox(testo, PulsantiMessaggio::Ok, IconaMessaggio::Informazione, Global::Titolo);
}

} // namespace

void FrmGestioneLoc::cmdRiferimento_Click() {
    Global::RicercaRiferimento = 1;
    hide();
}

void FrmGestioneLoc::cmdCalcola_Click() {
    QString messaggio;
    QLineEdit* fuoco = txtAltitudine;
    if (Testo(txtAltitudine).isEmpty() || !Conversioni::ENumerico(Testo(txtAltitudine)))
        messaggio = QStringLiteral("Inserire l'altudine della nuova località.");
    if (Testo(txtComuneRif).isEmpty() && Testo(txtLatiG).isEmpty()) {
        messaggio = SenzaRiferimento;
        fuoco = txtLatiG;
    }
    if (!messaggio.isEmpty()) {
        Informa(messaggio);
        fuoco->setFocus();
        return;
    }

    if (Testo(txtComuneRif).isEmpty()) {
        bool presenti = false;
        for (const QLineEdit* casella : {txtLatiG, txtLatiP, txtLongiG, txtLongiP})
            presenti = presenti || Conversioni::ENumerico(Testo(casella));
        if (!presenti) {
            Informa(SenzaRiferimento);
            return;
        }
        const Esito<qint16> lati = Conversioni::TestoInIntero16(Testo(txtLatiG));
        const Esito<qint16> longi = Conversioni::TestoInIntero16(Testo(txtLongiG));
        if (!lati.ok() || !longi.ok()) {
            MostraErrore((lati.ok() ? longi.errore() : lati.errore()).descrizione);
            return;
        }
        if (!CalculateNewLoc(lati.valore(), longi.valore()))
            return;
        if (!TrovaRiferimento())
            return;
    }

    const Esito<DatiComune> rif = DatiRiferimento();
    const Esito<qint16> altitudine = Conversioni::TestoInIntero16(Testo(txtAltitudine));
    if (!rif.ok() || !altitudine.ok()) {
        MostraErrore((rif.ok() ? altitudine.errore() : rif.errore()).descrizione);
        return;
    }
    txtGGiorno->setText(QString::number(CalcolaGradiGiorno(
        rif.valore().Altitudine, rif.valore().GradiGiorno, altitudine.valore())));
    txtComLocRif->setText(txtComuneRif->text());
    txtProvLocRif->setText(txtProvRif->text());
}

bool FrmGestioneLoc::TrovaRiferimento() {
    riferimentoArchivio_.reset();
    for (qsizetype i = 0; i < Global::ElencoComuni.size(); ++i) {
        const DatiComune& d = Global::ElencoComuni.at(i);
        if (d.Nome.trimmed() == Testo(txtComuneRif) && d.Prov.trimmed() == Testo(txtProvRif)) {
            Global::IndiceRiferimento = qint32(i);
            return true;
        }
    }
    // Not among the municipalities listed: its altitude and degree days come from the archive,
    // never from whatever the list index held before.
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        return false;
    }
    const Esito<std::optional<DatiComune>> letto =
        LetturaRiferimenti::ComuneDaNome(Global::Cnn(), Testo(txtComuneRif), Testo(txtProvRif));
    Global::ChiudiConnessione();
    if (!letto.ok()) {
        MostraErrore(letto.errore().descrizione);
        return false;
    }
    riferimentoArchivio_ = letto.valore();
    if (!riferimentoArchivio_)
        MostraErrore(QStringLiteral("La località di riferimento %1 (%2) non è più nell'archivio.")
                         .arg(Testo(txtComuneRif), Testo(txtProvRif)));
    return riferimentoArchivio_.has_value();
}

Esito<DatiComune> FrmGestioneLoc::DatiRiferimento() const {
    if (riferimentoArchivio_)
        return *riferimentoArchivio_;
    if (Global::IndiceRiferimento < 0 || Global::IndiceRiferimento >= Global::ElencoComuni.size())
        return ErroreRuntime::IndiceFuoriIntervallo(Global::IndiceRiferimento);
    return Global::ElencoComuni.at(Global::IndiceRiferimento);
}

bool FrmGestioneLoc::CalculateNewLoc(qint16 GLati, qint16 GLongi) {
    const Esito<double> lat = CoordinataCompatta(txtLatiG->text(), txtLatiP->text());
    const Esito<double> lon = CoordinataCompatta(txtLongiG->text(), txtLongiP->text());
    if (!lat.ok() || !lon.ok()) {
        MostraErrore((lat.ok() ? lon.errore() : lat.errore()).descrizione);
        return false;
    }
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        return false;
    }
    const Esito<QList<RigaRiferimento>> righe =
        LetturaRiferimenti::LocalitaVicine(Global::Cnn(), GLati, GLongi);
    Global::ChiudiConnessione();
    if (!righe.ok()) {
        MostraErrore(righe.errore().descrizione);
        return false;
    }
    const Esito<Riferimento> scelto = ScegliRiferimento(lat.valore(), lon.valore(), righe.valore());
    if (!scelto.ok()) {
        MostraErrore(scelto.errore().descrizione);
        return false;
    }
    if (!scelto.valore().trovato())
        return false;
    txtComuneRif->setText(scelto.valore().Nome);
    txtProvRif->setText(scelto.valore().Prov);
    return true;
}

qint16 FrmGestioneLoc::CalcolaGradiGiorno(qint16 altitudineRif, qint16 gradiGiornoRif,
                                          qint16 altitudine) {
    const GradiGiornoCorretti corretti =
        ::CalcolaGradiGiorno(altitudineRif, gradiGiornoRif, altitudine);
    txtZona->setText(corretti.Zona);
    if (!corretti.GradiGiorno.ok()) {
        MostraErrore(corretti.GradiGiorno.errore().descrizione);
        return 0;
    }
    return corretti.GradiGiorno.valore();
}

void FrmGestioneLoc::CaricaCbo(bool nuova) {
    LstDistanze->clear();
    SvuotaSelettori();
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        return;
    }
    const Esito<QList<DatiComune>> capoluoghi = LetturaRiferimenti::Capoluoghi(Global::Cnn());
    Global::ChiudiConnessione();
    if (!capoluoghi.ok()) {
        MostraErrore(capoluoghi.errore().descrizione);
        return;
    }
    if (capoluoghi.valore().isEmpty())
        return;
    Global::Capoluoghi = capoluoghi.valore();

    float lat = 0.0f;
    float lon = 0.0f;
    if (nuova) {
        const Esito<float> l1 = RadiantiDaTesti(txtLatiG->text(), txtLatiP->text());
        const Esito<float> l2 = RadiantiDaTesti(txtLongiG->text(), txtLongiP->text());
        if (!l1.ok() || !l2.ok()) {
            MostraErrore((l1.ok() ? l2.errore() : l1.errore()).descrizione);
            return;
        }
        lat = l1.valore();
        lon = l2.valore();
    } else {
        const Esito<DatiComune> r = Scheda();
        if (!r.ok()) {
            MostraErrore(r.errore().descrizione);
            return;
        }
        lat = r.valore().LatRad;
        lon = r.valore().LongRad;
    }
    const ElencoDistanze distanze = CalcolaElencoDistanze(lat, lon, Global::Capoluoghi);
    for (const ErroreRuntime& errore : distanze.Errori)
        MostraErrore(errore.descrizione);
    LstDistanze->addItems(distanze.Voci);
    QStringList ordinate;
    for (int i = 0; i < LstDistanze->count(); ++i)
        ordinate << LstDistanze->item(i)->text();
    const QStringList voci = VociCapoluoghi(ordinate);
    // Filling a selector chooses no entry, as it does not for the user.
    for (QComboBox* selettore : {cboProvVicina1, cboProvVicina2}) {
        const QSignalBlocker blocco(selettore);
        selettore->addItems(voci);
        selettore->setCurrentIndex(-1);
    }
}

bool FrmGestioneLoc::ControlloSceltaProv() {
    const Esito<SceltaProvince> scelta = ::ControlloSceltaProv(
        cboProvVicina1->currentText().trimmed(), cboProvVicina2->currentText().trimmed());
    if (!scelta.ok()) {
        MostraErrore(scelta.errore().descrizione);
        return false;
    }
    if (!scelta.valore().Messaggio.isEmpty())
        MsgBox(scelta.valore().Messaggio, PulsantiMessaggio::Ok, IconaMessaggio::Esclamazione,
               Global::Titolo);
    return scelta.valore().Accettata;
}

qint32 FrmGestioneLoc::CalcolaIrradianza() {
    const IndiciCapoluoghi indici = CercaCapoluoghi(
        cboProvVicina1->currentText(), cboProvVicina2->currentText(), Global::Capoluoghi);
    Esito<qint16> gradi = qint16(0);
    Esito<qint16> primi = qint16(0);
    if (Global::ModoScheda != 2) {
        // The stored latitude, even when the boxes have been edited.
        const Esito<DatiComune> r = Scheda();
        if (!r.ok()) {
            MostraErrore(r.errore().descrizione);
            return 0;
        }
        gradi = r.valore().LatiG;
        primi = r.valore().LatiP;
    } else {
        gradi = Conversioni::TestoInIntero16(txtLatiG->text());
        primi = Conversioni::TestoInIntero16(txtLatiP->text());
    }
    if (!gradi.ok() || !primi.ok()) {
        MostraErrore((gradi.ok() ? primi.errore() : gradi.errore()).descrizione);
        return 0;
    }
    const Esito<qint32> irradianza =
        ::CalcolaIrradianza(Global::Capoluoghi, indici, gradi.valore(), primi.valore());
    if (!irradianza.ok()) {
        MostraErrore(irradianza.errore().descrizione);
        return 0;
    }
    return irradianza.valore();
}

void FrmGestioneLoc::cboProvVicina_Click() {
    if (InCaricamento)
        return;
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::FrecciaClessidra);
    if (cboProvVicina1->currentIndex() >= 0 && cboProvVicina2->currentIndex() >= 0 &&
        ControlloSceltaProv())
        txtIrradianza->setText(QString::number(CalcolaIrradianza()));
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Predefinito);
}
