// What the user does with the result grid: sorting by a header, jumping to a row by its first
// letter, keeping the current row in view, and finding the list element of the current row.
#include "core/Global.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/ModelloGriglia.h"

#include <QPushButton>

namespace {

// The grid column of each sort state: states 2k-1 and 2k sort column k ascending and descending.
constexpr int ColonnaDiStato[7] = {0, 1, 2, 3, 4, 5, 8};

int ColonnaOrdinamento(qint16 stato) {
    return stato >= 1 && stato <= 12 ? ColonnaDiStato[(stato + 1) / 2] : 0;
}

qint16 StatoCrescente(int colonna) {
    for (int k = 1; k <= 6; ++k) {
        if (ColonnaDiStato[k] == colonna)
            return qint16(2 * k - 1);
    }
    return 0;
}

} // namespace

void FrmElenco::GrdLista_MouseDown(qint16 Button, qint16, float X, float Y) {
    if (Button != 1)
        return;
    if (Y >= GrdLista->AltezzaIntestazione()) {
        // An empty row (a search that found nothing) cannot be selected.
        const int riga = GrdLista->Riga();
        if (GrdLista->RigaConComune(riga)) {
            GrdLista->ImpostaEvidenziazione(true);
            cmdDettagli->setEnabled(Global::RicercaRiferimento == 0);
            GrdLista->ImpostaCella(riga, 1);
        }
        return;
    }
    if (X <= GrdLista->Larghezza(0))
        return;

    inElaborazione_ = true;
    GrdLista->ImpostaRidisegno(false);
    int larghezze[9];
    for (int colonna = 0; colonna < 9; ++colonna)
        larghezze[colonna] = GrdLista->Larghezza(colonna);
    const int colonna = ColonnaIntestazioneCliccata(X, larghezze);
    if (colonna != 0) {
        GrdLista->ImpostaCella(GrdLista->Riga(), colonna);
        const qint16 crescente = StatoCrescente(colonna);
        const bool discendente = statoOrdinamento_ == crescente;
        GrdLista->modello()->Ordina(colonna, !discendente);
        statoOrdinamento_ = discendente ? qint16(crescente + 1) : crescente;
    }
    GrdLista->ImpostaRidisegno(true);
    inElaborazione_ = false;
    ServiziFinestra::ElaboraEventi();
    GrdLista->ImpostaEvidenziazione(false);
}

void FrmElenco::GrdLista_KeyDown(qint16& KeyCode, qint16) {
    if (KeyCode < 65 || KeyCode > 90)
        return;
    inElaborazione_ = true;
    GrdLista->ImpostaRidisegno(false);
    const int colonna = ColonnaOrdinamento(statoOrdinamento_) != 0
                            ? ColonnaOrdinamento(statoOrdinamento_)
                            : GrdLista->Colonna();
    const QChar lettera(KeyCode);
    // Without a match the loop leaves the last row current.
    for (int riga = 1; riga <= GrdLista->RigheDati(); ++riga) {
        GrdLista->ImpostaCella(riga, colonna);
        if (GrdLista->modello()->TestoCella(riga, colonna).startsWith(lettera)) {
            GrdLista->ImpostaRigaInAlto(riga);
            break;
        }
    }
    // Then as a left click on the data rows.
    GrdLista_MouseDown(1, 0, 100.0f / GrigliaElenco::TwipPerPixel,
                       float(GrdLista->AltezzaIntestazione() + 1));
    GrdLista->ImpostaRidisegno(true);
    inElaborazione_ = false;
}

void FrmElenco::GrdLista_RowColChange() {
    if (inElaborazione_)
        return;
    const int riga = GrdLista->Riga();
    if (riga < 1 || riga > GrdLista->RigheDati())
        return;
    // The current row stays within the rows shown from the top visible row.
    const int finestra = GrdLista->RigheVisibili();
    if (riga < GrdLista->RigaInAlto())
        GrdLista->ImpostaRigaInAlto(riga);
    else if (riga > GrdLista->RigaInAlto() + finestra - 1)
        GrdLista->ImpostaRigaInAlto(riga - finestra + 1);
    GrdLista->ImpostaCella(riga, 1);
}

void FrmElenco::CercaIndiceComune() {
    inElaborazione_ = true;
    GrdLista->ImpostaRidisegno(false);
    const int riga = GrdLista->Riga();
    const QString nome = GrdLista->modello()->TestoCella(riga, 1).trimmed();
    GrdLista->ImpostaCella(riga, 2);
    GrdLista->ImpostaRidisegno(true);
    const QString provincia = GrdLista->modello()->TestoCella(riga, 2).trimmed();
    inElaborazione_ = false;

    for (qsizetype i = 0; i < Global::ElencoComuni.size(); ++i) {
        const DatiComune& d = Global::ElencoComuni.at(i);
        if (d.Nome.trimmed() == nome && d.Prov.trimmed() == provincia) {
            if (Global::RicercaRiferimento != 0)
                Global::IndiceRiferimento = qint32(i);
            else
                Global::IndiceComune = qint32(i);
            return;
        }
    }
}
