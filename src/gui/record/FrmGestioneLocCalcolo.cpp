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
    if (!RiferimentoValido() && Testo(txtLatiG).isEmpty()) {
        messaggio = SenzaRiferimento;
        fuoco = txtLatiG;
    }
    if (!messaggio.isEmpty()) {
        Informa(messaggio);
        fuoco->setFocus();
        return;
    }

    if (!RiferimentoValido()) {
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

    const Esito<qint16> altitudine = Conversioni::TestoInIntero16(Testo(txtAltitudine));
    if (!altitudine.ok()) {
        MostraErrore(altitudine.errore().descrizione);
        return;
    }
    txtGGiorno->setText(QString::number(CalcolaGradiGiorno(
        riferimento_->Altitudine, riferimento_->GradiGiorno, altitudine.valore())));
    txtComLocRif->setText(txtComuneRif->text());
    txtProvLocRif->setText(txtProvRif->text());
}

QStringList FrmGestioneLoc::Coordinate() const {
    return {Testo(txtLatiG), Testo(txtLatiP), Testo(txtLongiG), Testo(txtLongiP)};
}

bool FrmGestioneLoc::RiferimentoValido() const {
    return riferimento_ && !Testo(txtComuneRif).isEmpty() &&
           (!coordinateRiferimento_ || *coordinateRiferimento_ == Coordinate());
}

bool FrmGestioneLoc::TrovaRiferimento() {
    riferimento_.reset();
    for (qsizetype i = 0; i < Global::ElencoComuni.size(); ++i) {
        const DatiComune& d = Global::ElencoComuni.at(i);
        if (d.Nome.trimmed() == Testo(txtComuneRif) && d.Prov.trimmed() == Testo(txtProvRif)) {
            Global::IndiceRiferimento = qint32(i);
            riferimento_ = d;
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
    riferimento_ = letto.valore();
    if (!riferimento_)
        MostraErrore(QStringLiteral("La località di riferimento %1 (%2) non è più nell'archivio.")
                         .arg(Testo(txtComuneRif), Testo(txtProvRif)));
    return riferimento_.has_value();
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
    // Found from these coordinates: searched again when they change.
    coordinateRiferimento_ = Coordinate();
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
    // The locality's angles from the boxes read as a save reads them, or from the record shown.
    float lat = 0.0f;
    float lon = 0.0f;
    if (nuova) {
        Esito<qint16> numeri[4] = {qint16(0), qint16(0), qint16(0), qint16(0)};
        const QLineEdit* caselle[4] = {txtLatiG, txtLatiP, txtLongiG, txtLongiP};
        for (int i = 0; i < 4; ++i) {
            numeri[i] = Conversioni::TestoInIntero16(caselle[i]->text());
            if (!numeri[i].ok()) {
                MostraErrore(numeri[i].errore().descrizione);
                return;
            }
        }
        lat = GradiPrimiInRadianti(numeri[0].valore(), numeri[1].valore());
        lon = GradiPrimiInRadianti(numeri[2].valore(), numeri[3].valore());
    } else {
        const Esito<DatiComune> r = Scheda();
        if (!r.ok()) {
            MostraErrore(r.errore().descrizione);
            return;
        }
        lat = r.valore().LatRad;
        lon = r.valore().LongRad;
    }
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

    // The capitals chosen before stay chosen: the irradiance shown belongs to them.
    const QString scelto1 =
        cboProvVicina1->currentIndex() < 0 ? QString() : cboProvVicina1->currentText().left(2);
    const QString scelto2 =
        cboProvVicina2->currentIndex() < 0 ? QString() : cboProvVicina2->currentText().left(2);
    LstDistanze->clear();
    SvuotaSelettori();
    if (capoluoghi.valore().isEmpty())
        return;
    Global::Capoluoghi = capoluoghi.valore();

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
    const auto indice = [&](const QString& codice) {
        for (int i = 0; i < voci.size() && !codice.isEmpty(); ++i)
            if (voci[i].left(2) == codice)
                return i;
        return -1;
    };
    ScegliCoppia(indice(scelto1), indice(scelto2));
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
    // The latitude shown in the boxes; while they hold none, the stored one, which a save keeps.
    Esito<qint16> gradi = Conversioni::TestoInIntero16(txtLatiG->text());
    Esito<qint16> primi = Conversioni::TestoInIntero16(txtLatiP->text());
    if ((!gradi.ok() || !primi.ok()) && Global::ModoScheda != 2) {
        const Esito<DatiComune> r = Scheda();
        if (!r.ok()) {
            MostraErrore(r.errore().descrizione);
            return 0;
        }
        gradi = r.valore().LatiG;
        primi = r.valore().LatiP;
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
    if (cboProvVicina1->currentIndex() >= 0 && cboProvVicina2->currentIndex() >= 0) {
        if (ControlloSceltaProv()) {
            txtIrradianza->setText(QString::number(CalcolaIrradianza()));
            coppia1_ = cboProvVicina1->currentIndex();
            coppia2_ = cboProvVicina2->currentIndex();
        } else {
            // A refused pair is not kept: the selectors show the pair of the irradiance shown.
            ScegliCoppia(coppia1_, coppia2_);
        }
    }
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Predefinito);
}
