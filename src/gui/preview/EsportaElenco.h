#pragma once

#include "core/print/DatiReport.h"
#include "core/print/IntestazioneStampa.h"

class QWidget;

// Exporting the printed list to a file from a window: the file chosen (the name proposed from
// the filters and the date, in the folder used last in this session), ".pdf" or ".csv" added
// when the name has none, the destination checked by the rule of every written file with the
// question before replacing an existing one, the file written, and a short message that says
// where, with a button that opens it in the desktop's viewer.
namespace EsportaElenco {

enum class Formato { Pdf, Csv };

// True when the file has been written.
bool Esporta(QWidget* genitore, Formato formato, const Report::DatiReport& dati,
             const Stampa::FiltriStampa& filtri);

} // namespace EsportaElenco
