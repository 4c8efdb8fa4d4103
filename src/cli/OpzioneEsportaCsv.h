#pragma once

#include "cli/AnalisiRigaDiComando.h"

#include <QString>

// The option --esporta-csv: the rows of the printed list of a search made with the filter
// options, as a spreadsheet file (see Report::TestoCsv). Exit status as --stampa-pdf.
int OpzioneEsportaCsv(const QString& csv, const ValoriOpzioni& valori);
