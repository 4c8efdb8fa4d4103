#include "Main.h"

#include "Configurazione.h"
#include "FrmSplash.h"
#include "Global.h"
#include "IstanzaCondivisa.h"
#include "search/FrmElenco.h"

void Main() {
    FrmSplash& splash = IstanzaCondivisa<FrmSplash>::Ottieni();
    splash.SetPause(1);
    splash.show();
    splash.Action();

    Global::LeggiConfigurazione();
    Global::Titolo = Global::TitoloProgramma;
    Global::RicercaRiferimento = 0;

    FrmElenco& elenco = IstanzaCondivisa<FrmElenco>::Ottieni();
    IstanzaCondivisa<FrmSplash>::Scarica();
    elenco.show();
}
