#pragma once

#include "core/DatiComune.h"
#include "core/print/DatiReport.h"
#include "core/print/IntestazioneStampa.h"
#include "core/query/CriteriRicerca.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>

// What a printed list, its PDF and its CSV file show, made in one place for the main window and
// the command line: the header words of the search that produced the rows, the rows with their
// cells as the result grid shows them, and the count.
namespace Stampa {

// One column of the result grid: its heading, and the column of the printed list's detail rows
// (RicElComuni) that the report binds to it.
struct ColonnaElenco {
    const char* intestazione;
    const char* colonnaStampa;
};

// Columns 1 to 8 of the grid, in grid order.
inline constexpr std::array<ColonnaElenco, 8> ColonneElenco = {{
    {"Comune", "Comune"},
    {"Prov.", "Prov"},
    {"Zona", "Zona"},
    {"Altititudine", "Altitudine"},
    {"Gradi Giorno", "GradiGiorno"},
    {"Latitudine", "Latitudine"},
    {"Longitudine", "Longitudine"},
    {"Irradianza", "Irradianza"},
}};

// The text of grid column `colonna` (1 to 8) for a municipality: numbers in plain digits, a
// coordinate whose degrees are 0 and an irradiance of 0 as empty texts (missing values).
QString TestoCella(const DatiComune& comune, int colonna);

// The count of a list: "0 Comuni", "1 Comune", otherwise the number followed by " Comuni".
QString TestoConteggio(qsizetype quanti);

// The header words of a search: the panel's texts (in capitals, as the panel writes them when
// the user leaves the box; the search does not tell capitals apart) and ticked ranges, or no
// words at all when the search listed the whole archive (panel hidden or "tutti i comuni:"
// checked).
// `spuntati` tells which of the five ranges is ticked, in the order of IntervalliRicerca.
FiltriStampa FiltriDellaRicerca(const CriteriRicerca& criteri, const std::array<bool, 5>& spuntati);

struct ElencoStampato {
    RigaIntestazione intestazione; // what RicComuni stores
    Report::DatiReport dati;       // what the report draws
};

// The printed list of `righe`, in the order given, under the header words of `filtri`.
ElencoStampato CreaElencoStampato(const FiltriStampa& filtri, const QList<DatiComune>& righe);

// The name proposed for an exported list: "elenco-comuni", the filters and the date, as in
// "elenco-comuni-BT-2026-12-06.pdf". Each word of a filter is kept (letters and digits), the
// rest of it becomes "-"; a range reads "altitudine-100-500", "altitudine-da-100" or
// "altitudine-fino-a-500".
QString NomeProposto(const FiltriStampa& filtri, const QDate& data, const QString& estensione);

} // namespace Stampa
