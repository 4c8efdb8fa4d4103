#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"

#include <QComboBox>
#include <QDialog>
#include <QString>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// A capital selector that can be locked like a text box: it still takes the focus and shows its
// entry, but refuses the user's choice. The program's own choices go through.
class SelettoreBloccabile : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void ImpostaBloccato(bool bloccato) { bloccato_ = bloccato; }
    bool Bloccato() const { return bloccato_; }
    void showPopup() override;

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;

private:
    bool bloccato_ = false;
};

// The record window: shows one municipality of the last search (ModoScheda 0), edits it (1) or
// takes in a new locality (2) with its calculation panel. The main window sets the shared
// variables and shows it modally; the window's commands save, delete, cancel and leave.
class FrmGestioneLoc : public QDialog {
    Q_OBJECT
public:
    FrmGestioneLoc();

    // Load step: buttons and panel for the mode, the boxes filled and locked.
    void Form_Load();
    // Every showing: focus to the name, and the reference picked in the main window copied.
    void Form_Activate();

    void CaricaDati();
    void BloccaCampiTesto(bool blocca);
    void ResumeCombo();
    bool ControlloCoord();
    void cmdModifica_Click();

    void txtComune_LostFocus();
    void txtProv_LostFocus();
    void txtGGiorno_LostFocus();
    // Shared by the four coordinate boxes: the box that lost the focus.
    void Coordinata_LostFocus(QLineEdit* casella);

    // Calculation panel and capital selectors.
    void cmdRiferimento_Click();
    void cmdCalcola_Click();
    bool CalculateNewLoc(qint16 GLati, qint16 GLongi);
    qint16 CalcolaGradiGiorno(qint16 altitudineRif, qint16 gradiGiornoRif, qint16 altitudine);
    void CaricaCbo(bool nuova);
    bool ControlloSceltaProv();
    qint32 CalcolaIrradianza();
    void cboProvVicina_Click();

    // Saving, deleting, cancelling and leaving. The save command gives true when the row was
    // stored.
    bool cmdSalva_Click();
    bool ControlloDatiObbligatori();
    // False, after a message naming the box, when a number box holds a text that is not a number.
    bool ControlloNumeri();
    void ControlloIrradianza();
    bool SalvaDati();
    void cmdCanc_Click();
    // False when the archive could not be opened: the window then stays open.
    bool CancellaComune();
    void cmdAnnulla_Click();
    void cmdEsci_Click();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void CostruisciControlli();
    QFrame* CostruisciCalcolo(QWidget* genitore);
    void ImpostaOrdineTab();
    void CollegaReazioni();
    void AbilitaPulsanti(qint16 modo);
    // Name, province, zone, numbers, coordinates, reference and irradiance of a record.
    void RiempiCaselle(const DatiComune& r);
    // The capital lists of a record as loading shows them: built from its stored coordinates,
    // its stored capitals selected, when it has an irradiance; empty otherwise.
    void MostraCapoluoghi(const DatiComune& r);
    void SvuotaSelettori();
    // Selects the entries i1 and i2 (-1: none) without running the selectors' reaction; the
    // irradiance shown belongs to this pair.
    void ScegliCoppia(int i1, int i2);
    // After a reference was found from the coordinates: its index in the list, or, when the
    // list does not hold it, the reference read from the archive. False after a message.
    bool TrovaRiferimento();
    // The trimmed texts of the four coordinate boxes.
    QStringList Coordinate() const;
    // True when the reference boxes hold a reference that a calculation may take: one picked in
    // the main window, or one found from the coordinates the boxes still hold.
    bool RiferimentoValido() const;
    // The municipality shown: the row as this window last stored it, once it has saved (the list
    // does not hold the change until the main window searches again), otherwise the list element
    // at IndiceComune; an index error outside the list.
    Esito<DatiComune> Scheda() const;
    // Writes the municipality shown into the boxes; on an index error shows it and gives nothing.
    std::optional<DatiComune> MostraScheda();
    // Closes the window: the shared instance is unloaded.
    void Scarica();

    QLineEdit* txtComune = nullptr;
    QLineEdit* txtProv = nullptr;
    QLineEdit* txtZona = nullptr;
    QLineEdit* txtGGiorno = nullptr;
    QLineEdit* txtAltitudine = nullptr;
    QLineEdit* txtLatiG = nullptr;
    QLineEdit* txtLatiP = nullptr;
    QLineEdit* txtLongiG = nullptr;
    QLineEdit* txtLongiP = nullptr;
    QLineEdit* txtComLocRif = nullptr;
    QLineEdit* txtProvLocRif = nullptr;
    SelettoreBloccabile* cboProvVicina1 = nullptr;
    SelettoreBloccabile* cboProvVicina2 = nullptr;
    QLineEdit* txtIrradianza = nullptr;
    QListWidget* LstDistanze = nullptr;
    QFrame* fraCerca = nullptr;
    QFrame* fraCalcola = nullptr;
    QFrame* fraRiferimento = nullptr;
    QLineEdit* txtComuneRif = nullptr;
    QLineEdit* txtProvRif = nullptr;
    QPushButton* cmdRiferimento = nullptr;
    QPushButton* cmdCalcola = nullptr;
    QPushButton* cmdModifica = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QPushButton* cmdSalva = nullptr;
    QPushButton* cmdCanc = nullptr;
    QPushButton* cmdEsci = nullptr;

    bool InCaricamento = false;
    // The row as the last save of this window stored it (a new locality's included): edit,
    // cancel, save and delete then act on it, never on another municipality or older values.
    std::optional<DatiComune> salvato_;
    // The reference shown in the calculation panel, and, when it was found from the
    // coordinates, the coordinates it was found from.
    std::optional<DatiComune> riferimento_;
    std::optional<QStringList> coordinateRiferimento_;
    // The entries of the capital pair that the irradiance shown belongs to (-1: none).
    int coppia1_ = -1;
    int coppia2_ = -1;
    // The text a coordinate box held when it took the focus.
    QString testoInIngresso_;
};
