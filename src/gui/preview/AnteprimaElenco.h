#pragma once

#include "core/print/DatiReport.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QLabel;
class QPrintPreviewWidget;

// The preview window of the printed list: the pages as they will be printed, with zoom, page
// navigation, printing on a printer and export to PDF. The pages are drawn by the same routine
// for the screen, the printer and the PDF file.
class AnteprimaElenco : public QDialog {
    Q_OBJECT
public:
    explicit AnteprimaElenco(Report::DatiReport dati, QWidget* genitore = nullptr);

    QPrintPreviewWidget* anteprima() const { return anteprima_; }

    // Asks for a printer with Qt's print dialog and prints every page on it.
    void Stampa();
    // Asks for a file (through the file choice service) and writes the pages to it as PDF;
    // true when the file has been written.
    bool EsportaPdf();

private:
    QAction* Comando(const char* nome, const QString& testo, const char* icona);
    void AggiornaPagina();

    Report::DatiReport dati_;
    QPrinter stampante_;
    QPrintPreviewWidget* anteprima_ = nullptr;
    QLabel* lblPagina_ = nullptr;
};
