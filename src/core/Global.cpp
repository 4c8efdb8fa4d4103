#include "core/Global.h"

namespace Global {

QString Titolo;
QString PercorsoIni;
QString PercorsoDB;
QString PercorsoImmagini;
QString ImgSemRosso;
QString ImgSemGiallo;
QString ImgSemVerde;
qint16 ModoScheda = 0;
qint16 RicercaRiferimento = 0;
qint32 IndiceComune = 0;
qint32 IndiceRiferimento = 0;
bool AggiornaElenco = false;
QList<DatiComune> ElencoComuni;
QList<DatiComune> Capoluoghi;

void Azzera() {
    Titolo.clear();
    PercorsoIni.clear();
    PercorsoDB.clear();
    PercorsoImmagini.clear();
    ImgSemRosso.clear();
    ImgSemGiallo.clear();
    ImgSemVerde.clear();
    ModoScheda = 0;
    RicercaRiferimento = 0;
    IndiceComune = 0;
    IndiceRiferimento = 0;
    AggiornaElenco = false;
    ElencoComuni.clear();
    Capoluoghi.clear();
}

} // namespace Global
