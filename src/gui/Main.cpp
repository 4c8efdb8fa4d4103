#include "gui/Main.h"

#include "core/Configurazione.h"
#include "core/Global.h"
#include "gui/FrmSplash.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/search/FrmElenco.h"

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
