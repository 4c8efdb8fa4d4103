#pragma once

#include "core/DatiComune.h"

#include <QList>
#include <QString>

// The state that the windows share for the whole run.
namespace Global {

inline const QString TitoloProgramma = QStringLiteral("Zizovuvo Rizu Zodadazid");

// Title of the program's message boxes; empty until start-up sets it.
extern QString Titolo;

// Read from the configuration file at start-up; "-1" when missing.
extern QString PercorsoIni;
extern QString PercorsoDB;
extern QString PercorsoImmagini;
extern QString ImgSemRosso;
extern QString ImgSemGiallo;
extern QString ImgSemVerde;

// 0 shows a municipality, 1 edits it, 2 enters a new locality.
extern qint16 ModoScheda;
// 1 while the user picks a reference locality in the main window's list.
extern qint16 RicercaRiferimento;
extern qint32 IndiceComune;
extern qint32 IndiceRiferimento;
// Set after the record window saved or deleted: the main window then searches again.
extern bool AggiornaElenco;

// The municipalities found by the last search. An empty result is one element with a blank
// name, so the list is never empty once a search has run.
extern QList<DatiComune> ElencoComuni;
// The provincial capitals with their irradiation data.
extern QList<DatiComune> Capoluoghi;

// Puts every shared variable back to its value at program start (used between tests).
void Azzera();

} // namespace Global
