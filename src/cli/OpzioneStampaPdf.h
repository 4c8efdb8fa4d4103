#pragma once

#include <QCoreApplication>
#include <QString>
#include <memory>

// The option --stampa-pdf: the printed list that the archive's RicComuni and RicElComuni hold
// (as the last print and search left them), written to a PDF file without a display.
namespace OpzioneStampaPdf {

inline const QString Nome = QStringLiteral("stampa-pdf");

// The application object of the command line. Printing needs Qt's painting, hence a
// QGuiApplication, which runs on the offscreen platform so that no display is needed; every
// other option gets a plain QCoreApplication.
std::unique_ptr<QCoreApplication> CreaApplicazione(int& argc, char* argv[]);

// Writes the PDF from `archivio` (empty: the archive of the configuration file). Returns the
// exit status: 0 written, 1 not written (the reason on standard error).
int Esegui(const QString& pdf, const QString& archivio);

} // namespace OpzioneStampaPdf
