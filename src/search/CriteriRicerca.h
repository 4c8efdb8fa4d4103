#pragma once

#include <QString>

// The state of the main window's filter panel that decides a search: the texts of the thirteen
// filter boxes as typed, whether the panel is shown and whether "tutti i comuni:" is checked.
struct IntervalloRicerca {
    QString da; // the ">=" box
    QString a;  // the "<=" box
};

struct CriteriRicerca {
    bool pannelloVisibile = false;
    bool tuttiIComuni = false;
    QString comune;
    QString provincia;
    QString zona;
    IntervalloRicerca altitudine;
    IntervalloRicerca gradiGiorno;
    IntervalloRicerca latitudine;
    IntervalloRicerca longitudine;
    IntervalloRicerca irradianza;
};
