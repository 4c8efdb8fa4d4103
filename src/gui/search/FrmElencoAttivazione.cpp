// The top buttons: their state at every activation of the window, and the exit.
#include "core/Global.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"

#include <QLineEdit>
#include <QPushButton>

void FrmElenco::Form_Activate() {
    txtHide->setFocus();
    cmdCerca->setEnabled(true);
    cmdDettagli->setEnabled(false);
    cmdNuovo->setEnabled(Global::RicercaRiferimento == 0);
    cmdContinua->setEnabled(Global::RicercaRiferimento == 1);
    cmdStampa->setEnabled(Global::RicercaRiferimento == 0);
    cmdEsci->setEnabled(true);
}

void FrmElenco::cmdEsci_Click() {
    ServiziFinestra::TerminaProgramma();
}
