#pragma once

#include "cli/AnalisiRigaDiComando.h"

#include <QCoreApplication>
#include <QString>
#include <memory>

// The option --stampa-pdf: the printed list of a search made with the filter options, as the
// main window prints it, written to a PDF file without a display.
namespace OpzioneStampaPdf {

inline const QString Nome = QStringLiteral("stampa-pdf");

// The application object of the command line. Printing needs Qt's painting, hence a
// QGuiApplication, which runs on the offscreen platform so that no display is needed; every
// other option gets a plain QCoreApplication.
std::unique_ptr<QCoreApplication> CreaApplicazione(int& argc, char* argv[]);

// Searches, writes the header row and the PDF (see ElencoDaRigaDiComando). Returns the exit
// status: 0 written; 1 not written; 2 a filter badly written (the reason on standard error).
int Esegui(const QString& pdf, const ValoriOpzioni& valori);

} // namespace OpzioneStampaPdf
