// The traffic light beside the count: red while a load or search starts, yellow while the grid
// fills, green when the window is ready.
#include "core/Global.h"
#include "core/Messaggi.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"

#include <QLabel>

void FrmElenco::CambiaSemaforo(qint16 colore) {
    QString immagine;
    QString stato; // what a screen reader says of the light
    if (colore == 0) {
        immagine = Global::ImgSemRosso;
        stato = QStringLiteral("in elaborazione");
    } else if (colore == 1) {
        immagine = Global::ImgSemGiallo;
        stato = QStringLiteral("in elaborazione: l'elenco si sta riempiendo");
    } else if (colore == 2) {
        immagine = Global::ImgSemVerde;
        stato = QStringLiteral("pronto");
    }
    imgSemaforo->setAccessibleDescription(stato);
    const EsitoOperazione esito =
        ServiziFinestra::CaricaImmagine(imgSemaforo, Global::PercorsoImmagini + immagine);
    if (!esito.ok())
        MostraErrore(esito.errore().descrizione);
    imgSemaforo->setFixedSize(25, 25);
}
