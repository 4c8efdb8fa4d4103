#pragma once

#include <QString>
#include <array>

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

// One range of the panel: what the panel builds for it, where the criteria keep its bounds and
// which column of Comuni the query compares them with.
struct DefinizioneIntervallo {
    const char* colonna;
    IntervalloRicerca CriteriRicerca::*valori;
    const char* etichetta; // the caption of its check box
    const char* spunta;    // object names of the check box and of the two boxes
    const char* da;
    const char* a;
    int larghezza; // of each box, in pixels
    bool gradi;    // each box followed by "°"
};

// The five ranges in the order of the panel, of the query's groups and of every emptying:
// altitude, degree days, latitude, longitude, irradiance.
inline constexpr std::array<DefinizioneIntervallo, 5> IntervalliRicerca = {{
    {"COM_ALT", &CriteriRicerca::altitudine, "Altitudine (m)", "ChkAltitudC", "txtAltitudMinC",
     "txtAltitudMaxC", 60, false},
    {"COM_DEGDAY", &CriteriRicerca::gradiGiorno, "Gradi Giorno (GG)", "ChkGGiornoC",
     "txtGGiornoMinC", "txtGGiornoMaxC", 60, false},
    {"COM_LATI_G", &CriteriRicerca::latitudine, "Latitudine", "ChkLatitudC", "txtLatitudMinC",
     "txtLatitudMaxC", 45, true},
    {"COM_LONG_G", &CriteriRicerca::longitudine, "Longitudine", "ChkLongitudC", "txtLongitudMinC",
     "txtLongitudMaxC", 45, true},
    {"Irradianza", &CriteriRicerca::irradianza, "Irradianza", "chkIrraC", "txtIrraMinC",
     "txtIrraMaxC", 60, false},
}};
