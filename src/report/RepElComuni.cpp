#include "report/LayoutReport.h"

namespace Report {

const Banda& Layout::banda(TipoBanda tipo) const {
    for (const Banda& b : bande)
        if (b.tipo == tipo)
            return b;
    static const Banda vuota;
    return vuota;
}

namespace {

using enum TipoElemento;
using enum Allineamento;

const Carattere Verdana975{QStringLiteral("Verdana"), 9.75, false};
const Carattere Verdana975G{QStringLiteral("Verdana"), 9.75, true};
const Carattere Verdana18G{QStringLiteral("Verdana"), 18, true};
const Carattere Verdana825{QStringLiteral("Verdana"), 8.25, false};

Layout CreaRepElComuni() {
    Layout layout;
    layout.larghezza = 9600;
    layout.margine = 1000;
    layout.predefinito = {QStringLiteral("Arial"), 8.25, false};
    layout.bande = {
        {TipoBanda::IntestazioneReport,
         1770,
         {
             {"Label1", Etichetta, 0, 0, 9540, 570, "Zizovuvo Rizu Zodadazid", Verdana975G, Centro},
             {"Label2", Etichetta, 0, 800, 9540, 570, "ELENCO COMUNI", Verdana18G, Centro},
             {"Line1", Linea, 0, 1700, 9600, 0, "", {}, Sinistra},
         }},
        {TipoBanda::IntestazionePagina, 3, {}},
        {TipoBanda::IntestazioneGruppo,
         3342,
         {
             {"Label5", Etichetta, 0, 180, 1650, 300, "Comune:", Verdana975G},
             {"Label9", Etichetta, 6803, 180, 705, 300, "Prov.:", Verdana975G},
             {"Label10", Etichetta, 8400, 180, 660, 300, "Zona:", Verdana975G},
             {"TextBox11", Casella, 1701, 180, 4545, 300, "Comune", Verdana975G},
             {"TextBox12", Casella, 7600, 180, 570, 300, "Prov", Verdana975G},
             {"TextBox13", Casella, 9071, 180, 345, 300, "Zona", Verdana975G},

             {"Label13", Etichetta, 0, 580, 1170, 300, "Altitudine:", Verdana975G},
             {"TextBox7", Casella, 1701, 580, 2200, 300, "AltitudineMinEt", Verdana975G},
             {"TextBox8", Casella, 4000, 580, 1695, 300, "AltitudineMin", Verdana975G},
             {"TextBox9", Casella, 5800, 580, 570, 300, "AltitudineMaxEt", Verdana975G},
             {"TextBox10", Casella, 6500, 580, 1695, 300, "AltitudineMax", Verdana975G},

             {"Label14", Etichetta, 0, 980, 1455, 300, "Gradi Giorno:", Verdana975G},
             {"TextBox14", Casella, 1701, 980, 2200, 300, "GradiGiornoMinEt", Verdana975G},
             {"TextBox15", Casella, 4000, 980, 1710, 300, "GradiGiornoMin", Verdana975G},
             {"TextBox16", Casella, 5800, 980, 570, 300, "GradiGiornoMaxEt", Verdana975G},
             {"TextBox17", Casella, 6500, 980, 1710, 300, "GradiGiornoMax", Verdana975G},

             {"Label15", Etichetta, 0, 1380, 1170, 300, "Latitudine:", Verdana975G},
             {"TextBox18", Casella, 1701, 1380, 2200, 300, "LatitudineMinEt", Verdana975G},
             {"TextBox19", Casella, 4000, 1380, 1710, 300, "LatitudineMin", Verdana975G},
             {"TextBox20", Casella, 5800, 1380, 570, 300, "LatitudineMaxEt", Verdana975G},
             {"TextBox21", Casella, 6500, 1380, 1710, 300, "LatitudineMax", Verdana975G},

             {"Label16", Etichetta, 0, 1780, 1455, 300, "Longitudine:", Verdana975G},
             {"TextBox22", Casella, 1701, 1780, 2200, 300, "LongitudineMinEt", Verdana975G},
             {"TextBox23", Casella, 4000, 1780, 1710, 300, "LongitudineMin", Verdana975G},
             {"TextBox24", Casella, 5800, 1780, 570, 300, "LongitudineMaxEt", Verdana975G},
             {"TextBox25", Casella, 6500, 1780, 1710, 300, "LongitudineMax", Verdana975G},

             {"Label4", Etichetta, 0, 2180, 1455, 300, "Irradianza:", Verdana975G},
             {"TextBox29", Casella, 1701, 2180, 2200, 300, "IrradianzaMinEt", Verdana975G},
             {"TextBox30", Casella, 4000, 2180, 1710, 300, "IrradianzaMin", Verdana975G},
             {"TextBox31", Casella, 5800, 2180, 570, 300, "IrradianzaMaxEt", Verdana975G},
             {"TextBox32", Casella, 6500, 2180, 1710, 300, "IrradianzaMax", Verdana975G},

             {"Line4", Linea, 0, 2618, 9600, 0, "", {}},

             {"Label20", Etichetta, 0, 2867, 1650, 405, "Comune", Verdana975G, Sinistra},
             {"Label21", Etichetta, 2150, 2867, 615, 405, "Prov.", Verdana975G, Centro},
             {"Label22", Etichetta, 2780, 2867, 585, 405, "Zona", Verdana975G, Centro},
             {"Label23", Etichetta, 3360, 2867, 1095, 405, "Altitudine", Verdana975G, Centro},
             {"Label24", Etichetta, 4470, 2867, 1380, 405, "Gradi Giorno", Verdana975G, Centro},
             {"Label25", Etichetta, 5860, 2867, 1140, 405, "Latitudine", Verdana975G, Centro},
             {"Label26", Etichetta, 7015, 2867, 1320, 405, "Longitudine", Verdana975G, Centro},
             {"Label3", Etichetta, 8350, 2867, 1170, 405, "Irradianza", Verdana975G, Centro},
         }},
        {TipoBanda::Dettaglio,
         510,
         {
             {"TextBox1", Casella, 0, 0, 2150, 500, "Comune", Verdana975, Sinistra},
             {"TextBox2", Casella, 2150, 0, 605, 300, "Prov", Verdana975, Centro},
             {"TextBox3", Casella, 2780, 0, 585, 300, "Zona", Verdana975, Centro},
             {"TextBox4", Casella, 3360, 0, 1085, 300, "Altitudine", Verdana975, Centro},
             {"TextBox5", Casella, 4470, 0, 1380, 300, "GradiGiorno", Verdana975, Centro},
             {"TextBox6", Casella, 5860, 0, 1135, 300, "Latitudine", Verdana975, Centro},
             {"TextBox26", Casella, 7015, 0, 1310, 300, "Longitudine", Verdana975, Centro},
             {"TextBox28", Casella, 8350, 0, 1085, 300, "Irradianza", Verdana975, Centro},
         }},
        {TipoBanda::PiedeGruppo,
         561,
         {
             {"TextBox27", Casella, 6580, 150, 2844, 300, "NumRec", Verdana975G, Destra},
         }},
        {TipoBanda::PiedePagina,
         285,
         {
             {"Label17", Etichetta, 8330, 0, 400, 240, "%p", Verdana825, Destra},
             {"Label19", Etichetta, 8750, 0, 230, 240, "di", Verdana825, Centro},
             {"Label18", Etichetta, 9000, 0, 400, 240, "%P", Verdana825, Sinistra},
         }},
        {TipoBanda::PiedeReport, 0, {}},
    };
    return layout;
}

} // namespace

const Layout& RepElComuni() {
    static const Layout layout = CreaRepElComuni();
    return layout;
}

} // namespace Report
