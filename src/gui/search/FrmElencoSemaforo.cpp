// The traffic light beside the count: red while a load or search starts, yellow while the grid
// fills, green when the window is ready.
#include "core/Global.h"
#include "core/Messaggi.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"

#include <QLabel>

void FrmElenco::CambiaSemaforo(qint16 colore) {
    QString immagine;
    if (colore == 0)
        immagine = Global::ImgSemRosso;
    else if (colore == 1)
        immagine = Global::ImgSemGiallo;
    else if (colore == 2)
        immagine = Global::ImgSemVerde;
    const EsitoOperazione esito =
        ServiziFinestra::CaricaImmagine(imgSemaforo, Global::PercorsoImmagini + immagine);
    if (!esito.ok())
        MostraErrore(esito.errore().descrizione);
    imgSemaforo->setFixedSize(25, 25);
}
