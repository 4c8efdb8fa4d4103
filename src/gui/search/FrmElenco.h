#pragma once

#include "core/print/ElencoStampato.h"

#include <QString>
#include <QWidget>
#include <optional>

class GrigliaElenco;
class PannelloFiltri;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The main window: the list of municipalities found, the filter panel that starts a search (by
// its button, by Enter in any filter box, or at every change in interactive mode), the traffic
// light and the count. Each reaction is named after its control and event, as txtComuneC_Change.
//
// The files: FrmElenco.cpp wires controls to reactions; FrmElencoControlli.cpp builds and lays
// out the controls; FrmElencoEventi.cpp turns the toolkit's events (activation, show, paint,
// keys and focus of the filter boxes) into reactions; FrmElencoAttivazione.cpp the top buttons'
// state and the exit; FrmElencoSemaforo.cpp the traffic light; FrmElencoFiltri.cpp the filter
// panel's reactions; FrmElencoRicerca.cpp the search; FrmElencoGriglia.cpp the grid.
class FrmElenco : public QWidget {
    Q_OBJECT
public:
    FrmElenco();

    // Load step: lists the whole archive; the grid is filled at the first paint.
    void Form_Load();
    // Every activation: focus parked, the top buttons enabled for the current mode. It runs when
    // the window is shown and when another window of this program hands the activation back to
    // it (a modal window or message box closing), not when the user returns from another
    // application.
    void Form_Activate();

    // The search command.
    void cmdCercaFra_Click();
    // The query text of the panel; on a bad range bound the standard message and "".
    QString CreaSelect();
    // Runs a query into the list and the printed list's rows; true when it found a row.
    bool CaricaComuni(const QString& mystr);
    void CaricaGriglia();
    // 0 red, 1 yellow, 2 green.
    void CambiaSemaforo(qint16 colore);
    // The print command: the header words of the search that the grid shows, with the grid's
    // rows in the grid's order, stored as the printed list's header, then its preview. After a
    // failed search it prints nothing and says so.
    void cmdStampa_Click();
    // Stores the printed list's header row; false after an error (already reported).
    bool CaricaComxRic(const Stampa::RigaIntestazione& riga);

    void cmdCerca_Click();
    void cmdEsci_Click();
    void chkAllC_Click();
    void ChkAltitudC_Click() { ClicIntervallo(0); }
    void ChkGGiornoC_Click() { ClicIntervallo(1); }
    void ChkLatitudC_Click() { ClicIntervallo(2); }
    void ChkLongitudC_Click() { ClicIntervallo(3); }
    void chkIrraC_Click() { ClicIntervallo(4); }

    void txtComuneC_Change() { CambioFiltroTesto(); }
    void txtProvC_Change() { CambioFiltroTesto(); }
    void txtZonaC_Change() { CambioFiltroTesto(); }
    void txtAltitudMinC_Change() { CambioIntervallo(); }
    void txtAltitudMaxC_Change() { CambioIntervallo(); }
    void txtGGiornoMinC_Change() { CambioIntervallo(); }
    void txtGGiornoMaxC_Change() { CambioIntervallo(); }
    void txtLatitudMinC_Change() { CambioIntervallo(); }
    void txtLatitudMaxC_Change() { CambioIntervallo(); }
    void txtLongitudMinC_Change() { CambioIntervallo(); }
    void txtLongitudMaxC_Change() { CambioIntervallo(); }
    void txtIrraMinC_Change() { CambioIntervallo(); }
    void txtIrraMaxC_Change() { CambioIntervallo(); }

    // The key-down reaction shared by the thirteen filter boxes: Enter (13) searches.
    void Filtro_KeyDown(qint16& KeyCode, qint16 Shift);

    void txtComuneC_LostFocus();
    void txtProvC_LostFocus();
    void txtZonaC_LostFocus();

    void GrdLista_MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void GrdLista_KeyDown(qint16& KeyCode, qint16 Shift);
    void GrdLista_RowColChange();
    void GrdLista_DblClick();
    // Finds the current grid row's municipality in the list by name and province.
    void CercaIndiceComune();

    // The hidden maintenance command: recomputes nearby capitals and irradiance of the list.
    void Command1_Click();
    // The record buttons: open the record window on the selected row, on a new locality, or
    // again after a reference locality was picked.
    void cmdDettagli_Click();
    void cmdNuovo_Click();
    void cmdContinua_Click();

protected:
    bool event(QEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void CostruisciControlli();
    void CollegaReazioni();
    void ImpostaOrdineTab();
    void SeguiAttivazioni();
    void Form_Paint();
    void AggiornaConteggio(bool trovato);
    void PreparaGriglia();
    void CambioFiltroTesto();
    void CambioIntervallo();
    void ClicIntervallo(int intervallo);
    // Empties the three text filters and unchecks and empties every range, in panel order.
    void SvuotaFiltri();
    void MaiuscoloInUscita(QLineEdit* casella);
    void CreaCommand1();
    // After the record window returns: the whole archive searched again when it changed.
    void RicercaDopoLaScheda();

    QLineEdit* txtHide = nullptr;
    QPushButton* cmdCerca = nullptr;
    QPushButton* cmdDettagli = nullptr;
    QPushButton* cmdNuovo = nullptr;
    QPushButton* cmdContinua = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdEsci = nullptr;
    QLabel* lblNumComuni = nullptr;
    QLabel* imgSemaforo = nullptr;
    GrigliaElenco* GrdLista = nullptr;
    PannelloFiltri* fraCerca = nullptr;
    QFrame* FraCarico = nullptr;
    QPushButton* Command1 = nullptr;

    // The search whose result the grid shows, taken when it succeeded: its header words and
    // whether it found a row (the grid of an empty archive shows one blank row at start-up).
    // Empty after a failed search.
    struct RicercaMostrata {
        Stampa::FiltriStampa filtri;
        bool trovato = false;
    };
    std::optional<RicercaMostrata> ricercaMostrata_;
    // The last CaricaComuni read its query to the end and stored its rows.
    bool ricercaRiuscita_ = false;
    // The panel's filters as the printed header shows them.
    Stampa::FiltriStampa FiltriDelPannello() const;

    bool inElaborazione_ = false;
    bool primapaint_ = false;
    bool paintProgrammato_ = false;
    qint16 statoOrdinamento_ = 0;
    // Another window of this program has been active since this one was: the next activation
    // of this window is a hand-over and runs Form_Activate.
    bool consegnaAttesa_ = false;
};
