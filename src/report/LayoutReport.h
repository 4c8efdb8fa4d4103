#pragma once

#include <QList>
#include <QString>

// A banded report described as data. Positions and sizes are in twips (1/1440 inch): left from
// the left edge of the report, top from the top of the band. One renderer (DisegnoReport) walks
// the table; moving or adding an element is a change of a row, not of code.
namespace Report {

enum class TipoBanda {
    IntestazioneReport, // once, at the start
    IntestazionePagina, // at the top of every page
    IntestazioneGruppo, // once per header row
    Dettaglio,          // once per detail row of the group
    PiedeGruppo,        // after the last detail row of the group
    PiedePagina,        // at the bottom of every page
    PiedeReport,        // once, at the end
};

enum class TipoElemento {
    Etichetta, // a fixed caption; "%p" prints the page number, "%P" the number of pages
    Casella,   // the text of a column of the band's row
    Linea,     // a horizontal line as wide as the element
};

enum class Allineamento { Sinistra, Centro, Destra };

struct Carattere {
    QString famiglia;
    double punti = 8.25;
    bool grassetto = false;
};

struct Elemento {
    QString nome;
    TipoElemento tipo = TipoElemento::Etichetta;
    int sinistra = 0;
    int alto = 0;
    int larghezza = 0;
    int altezza = 0;
    QString contenuto; // the caption, or the bound column's name
    Carattere carattere;
    Allineamento allineamento = Allineamento::Sinistra;
};

struct Banda {
    TipoBanda tipo = TipoBanda::Dettaglio;
    int altezza = 0;
    QList<Elemento> elementi;
};

struct Layout {
    int larghezza = 0;
    int margine = 0; // the same on the four sides of the page
    Carattere predefinito;
    QList<Banda> bande; // one of each kind, in printing order

    const Banda& banda(TipoBanda tipo) const;
};

// The printed list of municipalities.
const Layout& RepElComuni();

} // namespace Report
