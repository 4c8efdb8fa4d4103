#include "core/Global.h"
#include "core/Messaggi.h"
#include "db/Connessione.h"
#include "db/RicalcoloIrradianza.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QCheckBox>
#include <QPushButton>

// The maintenance command that recomputes the nearby capitals and the irradiance of every
// listed municipality. Its button is created hidden and nothing shows it: maintainers run the
// same batch with the command-line option --ricalcola-irradianza.

void FrmElenco::CreaCommand1() {
    Command1 = new QPushButton(QStringLiteral("Command1"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    // Below the filter panel: 345, 8880, 1815 × 510 twips at 15 twips per pixel.
    Command1->setGeometry(23, 592, 121, 34);
    Command1->setVisible(false);
    // Last in the tab order, after the irradiance filter.
    setTabOrder(fraCerca->chkIrraC, Command1);
    connect(Command1, &QPushButton::clicked, this, &FrmElenco::Command1_Click);
}

void FrmElenco::Command1_Click() {
    using namespace RicalcoloIrradianza;
    if (!Global::ApriConnessione())
        return;
    const Risultato r = Esegui(Global::Cnn(), Global::ElencoComuni, Global::Capoluoghi);
    for (const ErroreDistanzaComune& e : r.erroriDistanza)
        MostraErrore(e.dato.errore.descrizione);
    if (r.esito.ok()) {
        MsgBox(QStringLiteral("FINITO"));
        Global::ChiudiConnessione();
        return;
    }
    // A failure while reading the capitals ends the command silently.
    if (r.fase == Fase::Capoluoghi) {
        Global::ChiudiConnessione();
        return;
    }
    const QString nome = Global::ElencoComuni.value(r.indice).Nome;
    if (r.nonTrovato)
        MsgBox(QStringLiteral("non trovo ") + nome);
    Global::ChiudiConnessione();
    if (!r.nonTrovato)
        MostraErrore(r.esito.errore().descrizione);
    if (r.fase == Fase::Comuni)
        MsgBox(QString::number(r.indice) + u' ' + nome);
}
