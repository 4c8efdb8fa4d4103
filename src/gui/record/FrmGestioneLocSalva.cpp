// The record window's commands that end an edit or the window: save, delete, cancel, leave.
#include "core/Conversioni.h"
#include "core/Global.h"
#include "core/Messaggi.h"
#include "db/Connessione.h"
#include "db/SchedaComune.h"
#include "gui/ServiziFinestra.h"
#include "gui/record/FrmGestioneLoc.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using ServiziFinestra::ElaboraEventi;

namespace {

const QChar A_Capo(13);

} // namespace

bool FrmGestioneLoc::cmdSalva_Click() {
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Clessidra);
    QString m;
    bool salvato = false;
    if (!ControlloDatiObbligatori()) {
        m = QStringLiteral("Dati non sufficienti.");
    } else if (ControlloNumeri()) {
        ElaboraEventi();
        RispostaMessaggio risposta = RispostaMessaggio::Si;
        if (ControlloCoord())
            ControlloIrradianza();
        else
            risposta = MsgBox(
                QStringLiteral("Senza coordinate geografiche non è possibile calcolare ") +
                    QStringLiteral("l 'irradianza.") + A_Capo + QStringLiteral("Continuare?"),
                PulsantiMessaggio::SiNo, IconaMessaggio::Informazione, Global::Titolo);
        if (risposta == RispostaMessaggio::Si) {
            salvato = SalvaDati();
            if (salvato) {
                // The boxes show the row as the archive holds it.
                RiempiCaselle(*salvato_);
                BloccaCampiTesto(true);
                Global::AggiornaElenco = true;
                Global::ModoScheda = 0;
                AbilitaPulsanti(0);
                m = QStringLiteral("Salvataggio dei dati eseguito correttamente.");
            } else {
                m = QStringLiteral("Si è verificato un errore durante il salvataggio dei dati.") +
                    A_Capo + QStringLiteral("I dati non sono stati salvati.");
            }
        }
    }
    if (!m.isEmpty())
        MsgBox(m, PulsantiMessaggio::Ok, IconaMessaggio::Informazione, Global::Titolo);
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Predefinito);
    return salvato;
}

bool FrmGestioneLoc::ControlloDatiObbligatori() {
    for (const QLineEdit* casella : {txtComune, txtProv, txtZona, txtAltitudine, txtGGiorno}) {
        if (casella->text().trimmed().isEmpty())
            return false;
    }
    return true;
}

bool FrmGestioneLoc::ControlloNumeri() {
    // Degree days and altitude always, a coordinate when its box holds something.
    const std::pair<QLineEdit*, const char*> numeri[] = {
        {txtGGiorno, "Gradi Giorno"},       {txtAltitudine, "Altitudine"},
        {txtLatiG, "Latitudine (gradi)"},   {txtLatiP, "Latitudine (primi)"},
        {txtLongiG, "Longitudine (gradi)"}, {txtLongiP, "Longitudine (primi)"}};
    for (const auto& [casella, nome] : numeri) {
        const QString testo = casella->text().trimmed();
        if (testo.isEmpty() || Conversioni::ENumerico(testo))
            continue;
        MsgBox(QStringLiteral("Nella casella «%1» non c'è un numero.").arg(QLatin1String(nome)),
               PulsantiMessaggio::Ok, IconaMessaggio::Informazione, Global::Titolo);
        casella->setFocus();
        return false;
    }
    return true;
}

void FrmGestioneLoc::ControlloIrradianza() {
    if (!txtIrradianza->text().trimmed().isEmpty())
        return;
    // Without two capitals listed, or without any capital's irradiation, there is nothing to
    // interpolate from: the row is saved without an irradiance, with no message.
    const bool irradiazione = std::ranges::any_of(
        Global::Capoluoghi, [](const DatiComune& c) { return c.Hdh != 0 || c.Hbh != 0; });
    if (cboProvVicina2->count() < 2 || !irradiazione)
        return;
    // The two nearest capitals.
    ScegliCoppia(0, 1);
    txtIrradianza->setText(QString::number(CalcolaIrradianza()));
}

bool FrmGestioneLoc::SalvaDati() {
    qint32 id = 0;
    if (Global::ModoScheda == 1) {
        const Esito<DatiComune> r = Scheda();
        if (!r.ok()) {
            MostraErrore(r.errore().descrizione);
            return false;
        }
        id = r.valore().Id;
    }
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        return false;
    }
    const auto testo = [](const QLineEdit* casella) { return casella->text().trimmed(); };
    SchedaComune::Valori v;
    v.Nome = testo(txtComune);
    v.Prov = testo(txtProv);
    v.Zona = testo(txtZona);
    v.GradiGiorno = testo(txtGGiorno);
    v.Altitudine = testo(txtAltitudine);
    v.LatiG = testo(txtLatiG);
    v.LatiP = testo(txtLatiP);
    v.LongG = testo(txtLongiG);
    v.LongP = testo(txtLongiP);
    v.RifNome = testo(txtComLocRif);
    v.RifProv = testo(txtProvLocRif);
    v.Irradianza = testo(txtIrradianza);
    v.ProvVicina1 = cboProvVicina1->currentText().left(2);
    v.ProvVicina2 = cboProvVicina2->currentText().left(2);

    ElaboraEventi();
    const SchedaComune::Salvataggio salvataggio = SchedaComune::Salva(Global::Cnn(), id, v);
    ElaboraEventi();
    // A municipality deleted meanwhile by another copy of the program is inserted again.
    if (salvataggio.scomparso)
        Global::ModoScheda = 2;
    // The archive is closed before any message: no lock is held while the user reads it.
    Global::ChiudiConnessione();
    const bool ok = salvataggio.esito.ok();
    if (!ok)
        MostraErrore(salvataggio.esito.errore().descrizione);
    else
        salvato_ = salvataggio.riga;
    return ok;
}

void FrmGestioneLoc::cmdCanc_Click() {
    const QString domanda =
        QStringLiteral("L'operazione eliminerà tutti i dati riguardanti il seguente comune: ") +
        A_Capo + txtComune->text().trimmed() + QStringLiteral(" (") + txtProv->text().trimmed() +
        QStringLiteral(").") + A_Capo + QStringLiteral("Continuare?");
    // Enter alone answers No: it never deletes.
    if (MsgBox(domanda, PulsantiMessaggio::SiNoAnnulla, IconaMessaggio::Domanda, Global::Titolo,
               RispostaMessaggio::No) != RispostaMessaggio::Si)
        return;
    if (!CancellaComune())
        return;
    Global::AggiornaElenco = true;
    Global::ModoScheda = 0;
    Global::RicercaRiferimento = 0;
    Scarica();
}

bool FrmGestioneLoc::CancellaComune() {
    const Esito<DatiComune> r = Scheda();
    if (!r.ok()) {
        MostraErrore(r.errore().descrizione);
        return false;
    }
    if (!Global::ApriConnessione()) {
        Global::ChiudiConnessione();
        MostraErrore(QStringLiteral("Il comune non è stato cancellato."));
        return false;
    }
    // A failed delete is rolled back and said; the window closes all the same.
    const EsitoOperazione esito = SchedaComune::Cancella(Global::Cnn(), r.valore().Id);
    Global::ChiudiConnessione();
    if (!esito.ok())
        MostraErrore(esito.errore().descrizione);
    return true;
}

void FrmGestioneLoc::cmdAnnulla_Click() {
    BloccaCampiTesto(true);
    if (Global::ModoScheda != 2) {
        const std::optional<DatiComune> r = MostraScheda();
        if (!r)
            return;
        // The stored record as loading shows it: capital lists rebuilt meanwhile are dropped.
        InCaricamento = true;
        MostraCapoluoghi(*r);
        InCaricamento = false;
        Global::ModoScheda = 0;
        AbilitaPulsanti(0);
        txtComune->setFocus();
        return;
    }
    Global::ModoScheda = 0;
    Global::RicercaRiferimento = 0;
    Global::AggiornaElenco = false;
    Scarica();
}

void FrmGestioneLoc::cmdEsci_Click() {
    if (Global::ModoScheda > 0) {
        // No title of its own: the box shows the application's name.
        const RispostaMessaggio risposta =
            MsgBox(QStringLiteral("Salvare le modifiche?"), PulsantiMessaggio::SiNoAnnulla,
                   IconaMessaggio::Domanda);
        // A save that did not happen leaves the window open with everything typed.
        if (risposta == RispostaMessaggio::Annulla ||
            (risposta == RispostaMessaggio::Si && !cmdSalva_Click()))
            return;
    }
    Global::RicercaRiferimento = 0;
    Global::ModoScheda = 0;
    Scarica();
}
